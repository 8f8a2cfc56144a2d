# Helpers of the person-like runs under Xvfb (sourced, not run). A run calls
#   xvfb_start "$@"
# first: outside Xvfb it copies the built program directory into a fresh work folder with a
# home of its own, re-runs the calling script inside xvfb-run and exits with its status;
# inside, it sets work, shots, HOME and db and returns. Then the run starts the program with
# run_program, drives it with xdotool and takes a screenshot after each step with shot.
# Controls are reached by their window's title and their object name, button text, list
# item text or grid cell (press), with the probe the build makes (tests/xvfb/sonda.cpp)
# loaded into the program, or by keyboard; never by pixel positions, which depend on
# fonts and layout.
# Script arguments: [build dir (build)] [screenshot dir (xvfb-shots)].
# Needs xvfb-run, xdotool and sqlite3; screenshots use ImageMagick's import when there is one.

xvfb_start() {
  if [[ "${1:-}" != "--inside" ]]; then
    local build shots work status=0
    build=$(realpath "${1:-build}")
    shots=$(realpath -m "${2:-xvfb-shots}")
    [[ -x "$build/bin/brenvik" ]] || { echo "no program in $build/bin" >&2; exit 1; }
    [[ -f "$build/tests/xvfb/libbrenviksonda.so" ]] || { echo "no probe in $build/tests/xvfb" >&2; exit 1; }
    work=$(mktemp -d)
    cp -r "$build/bin" "$work/prog"
    cp "$build/tests/xvfb/libbrenviksonda.so" "$work/"
    cp "$build/tools/sqlrun" "$work/"
    mkdir -p "$work/home" "$shots"
    rm -f "$shots"/*.png
    xvfb-run -a -s "-screen 0 1280x900x24" "$0" --inside "$work" "$shots" || status=$?
    [[ $status == 0 ]] || { echo "program output:" >&2; cat "$work/brenvik.log" >&2; }
    rm -rf "$work"
    exit $status
  fi
  work=$2
  shots=$3
  export HOME=$work/home QT_QPA_PLATFORM=xcb
  db=$work/prog/bbdd/bd.db
  sonda=$work/sonda
  mkdir -p "$sonda"
  step=0
}

# Runs the SQL read from standard input into the main database, in one transaction. The
# sqlite3 shell cannot write persons or properties: their indexes sort with the
# program's own collation, which the build's sqlrun registers.
fill_main_db() {
  "$work/sqlrun" --into "$db" /dev/stdin
}

# Starts the program with the probe (pid in $pid).
run_program() {
  LD_PRELOAD="$work/libbrenviksonda.so" BRENVIK_SONDA="$sonda" "$work/prog/brenvik" >"$work/brenvik.log" 2>&1 &
  pid=$!
}

# Runs query $2 on the open document's working database that holds table $1.
working() {
  local f
  for f in "$HOME/Documents/Formularios/temporal/"*; do
    if [[ $(sqlite3 "$f" "SELECT count(*) FROM sqlite_master WHERE name = '$1'" 2>/dev/null) == 1 ]]; then
      sqlite3 "$f" "$2"
      return
    fi
  done
}

# Whether the open document's row of table $1 that condition $2 picks holds each
# "column=value" that follows (values as sqlite3 prints them, NULL for none), within 5
# seconds: the program posts an edit on its own time after the keys that end it. Fails
# saying what the row holds instead and in which column of the table each missing value
# went, if any.
holds() {
  local tabla=$1 donde=$2 par sql="" esperado="" visto="" i
  shift 2
  for par; do
    sql+="${sql:+ || char(31) || }ifnull(${par%%=*}, 'NULL')"
    esperado+="${esperado:+$'\x1f'}${par#*=}"
  done
  for i in $(seq 25); do
    visto=$(working "$tabla" "SELECT $sql FROM $tabla WHERE $donde" 2>/dev/null) || visto=""
    [[ $visto == "$esperado" ]] && return 0
    sleep 0.2
  done
  local informe="" col valor otro columnas
  [[ -n $visto ]] || informe="no single row of $tabla where $donde (it holds: $(working "$tabla" "SELECT * FROM $tabla" | paste -sd';'))"
  columnas=$(working "$tabla" "SELECT name FROM pragma_table_info('$tabla')")
  for par; do
    col=${par%%=*} valor=${par#*=}
    [[ -n $visto && $(working "$tabla" "SELECT ifnull($col, 'NULL') FROM $tabla WHERE $donde") == "$valor" ]] && continue
    informe+="${informe:+; }$tabla.$col is '$(working "$tabla" "SELECT ifnull($col, 'NULL') FROM $tabla WHERE $donde" | paste -sd,)', not '$valor'"
    for otro in $columnas; do
      [[ $otro == "$col" ]] && continue
      [[ $(working "$tabla" "SELECT count(*) FROM $tabla WHERE CAST($otro AS TEXT) = '$valor'") != 0 ]] &&
        informe+=" ('$valor' is in $tabla.$otro)"
    done
  done
  fail "$informe"
}
# Whether the exchange file $intercambio holds element $1 with text $2 (as many times as
# $3, default at least once). Fails with the texts it holds for that element.
exchange_has() {
  local n
  n=$(LC_ALL=C grep -cF "<$1>$(printf '%s' "$2" | iconv -f UTF-8 -t ISO-8859-1)</$1>" "$intercambio") || true
  if [[ -n ${3:-} ]]; then
    [[ $n == "$3" ]] && return 0
  else
    [[ $n -gt 0 ]] && return 0
  fi
  fail "the exchange file holds <$1>$2</$1> $n times${3:+, not $3}; its $1: $(LC_ALL=C grep -o "<$1>[^<]*</$1>" "$intercambio" | iconv -f ISO-8859-1 -t UTF-8 | sed "s/<[^>]*>//g" | paste -sd';')"
}

# Without ImageMagick the probe takes the screenshot.
shot() {
  sleep 0.4
  step=$((step + 1))
  local file
  file=$(printf '%s/%02d-%s.png' "$shots" "$step" "$1")
  if command -v import >/dev/null; then
    import -window root "$file"
  else
    where foto "$file" >/dev/null || return 0
  fi
  echo "screenshot $file"
}
# Sends the probe the request "$@" (one field a line) and prints its answer; fails when
# the probe gives none within 5 seconds.
ask() {
  local i
  rm -f "$sonda/respuesta"
  printf '%s\n' "$@" >"$sonda/pedido.tmp"
  mv "$sonda/pedido.tmp" "$sonda/pedido"
  for i in $(seq 100); do
    if [[ -f $sonda/respuesta ]]; then
      cat "$sonda/respuesta"
      rm -f "$sonda/respuesta"
      return 0
    fi
    sleep 0.05
  done
  echo "no answer from the probe"
  return 1
}
# The screen point "x y" of a control of the visible window whose title starts with $1
# ("menu": the open menu): $2 is its object name, button text, menu entry or list item
# text; with $3 and $4 it is grid $2's cell in row $3 (from 0) and the column titled $4,
# and with $5 = boton that cell's "..." button. The probe first scrolls the control into
# view and answers only a point on the screen where a click reaches that control; else
# this prints why not and fails.
where() {
  local r
  r=$(ask "$@") || { echo "$r"; return 1; }
  echo "$r"
  [[ $r != no* ]]
}
# Clicks the control where "$@" names, waiting up to 5 seconds for it to appear.
press() {
  local i p=""
  for i in $(seq 25); do
    p=$(where "$@") && break
    sleep 0.2
  done
  [[ $p != no* && -n $p ]] || fail "cannot click '$2'${3:+ row $3, column '$4'} in window '$1': $p"
  # shellcheck disable=SC2086
  xdotool mousemove $p click 1
  sleep 0.4
}
# Whether the keyboard is in the control (or grid cell) named as where names it, waiting up
# to 2 seconds; prints who has it when it is not.
has_keyboard() {
  local i r
  for i in $(seq 10); do
    r=$(ask foco "$@")
    [[ $r == si ]] && return 0
    sleep 0.2
  done
  echo "${r#no: }"
  return 1
}
# Clicks the control (or grid cell) named by all but the last argument, as press does,
# checks that it has the keyboard and types the last argument into it. Fails naming the
# control and who has the keyboard instead.
type_into() {
  local texto=${*: -1} donde
  set -- "${@:1:$#-1}"
  press "$@"
  donde=$(has_keyboard "$@") || fail "cannot type into '$2'${3:+ row $3, column '$4'} of window '$1': $donde"
  xdotool type --delay 30 "$texto"
}
# The message shown by the visible window whose title starts with $1.
message_of() {
  ask texto "$1"
}
# Waits up to $3 seconds (default 10) for the message window whose title starts with $1
# ("": the message box that holds the program, titled or not), checks that its message
# holds $2 and, for a titled one, gives it the keyboard. Fails with the message it shows.
message_says() {
  local i m=no
  for i in $(seq $((${3:-10} * 5))); do
    m=$(ask texto "$1") && [[ $m != no ]] && break
    sleep 0.2
  done
  [[ $m != no ]] || fail "no message window '$1' saying '$2'"
  [[ $m == *"$2"* ]] || fail "window '$1' says '$m', not '$2'"
  [[ -z $1 ]] || focus_window "$1" 1
  echo "message: $m"
}
# Opens a menu of the main window by its keyboard accelerator (alt+$1) and clicks its
# entry $2 (object name or text).
menu() {
  focus_main
  xdotool key "alt+$1"
  press menu "$2"
}
# The main window over the whole screen: moved to the screen's corner first, so that no
# part of it (its scroll bars included) is off the screen.
whole_screen() {
  local w
  w=$(window Brenvik)
  xdotool windowmove --sync "$w" 0 0
  xdotool windowsize --sync "$w" 1280 900
  sleep 0.3
}
# Gives the keyboard to the main window: without a window manager nobody gives it back
# after a dialog closes.
focus_main() {
  xdotool windowfocus --sync "$(window Brenvik)"
  sleep 0.2
}
# The visible window whose title starts with $1, waiting for it.
window() {
  xdotool search --sync --onlyvisible --name "^$1" | head -1
}
# Whether a visible window whose title starts with $1 appears within $2 seconds (default 5).
window_appears() {
  local i
  for i in $(seq $((${2:-5} * 5))); do
    xdotool search --onlyvisible --name "^$1" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}
# Waits up to $2 seconds (default 5) for a visible window whose title starts with $1 (a
# dialog just opened) and gives it the keyboard: on a loaded machine a dialog is mapped
# before it takes the focus, and keys typed meanwhile go to the window below it.
focus_window() {
  window_appears "$1" "${2:-5}" || return 1
  xdotool windowfocus --sync "$(window "$1")"
  sleep 0.2
}
# Whether command "${@:2}" prints $1 within 5 seconds: the program posts an edit on its own
# time after the keys that end it, later still on a loaded machine.
prints() {
  local expected=$1 i
  shift
  for i in $(seq 25); do
    [[ $("$@") == "$expected" ]] && return 0
    sleep 0.2
  done
  return 1
}
# Types $4 into the cell of grid $1, row $2, column titled $3 (its title pieces joined by
# "|", line breaks as blanks), and leaves it with Enter.
cell() {
  type_into "Brenvik" "$1" "$2" "$3" "$4"
  xdotool key Return
}
# The same for a column that lists its choices: the typed text picks, Enter takes it.
choice() {
  cell "$@"
  xdotool key Return; sleep 0.3
}
fail() {
  echo "FAILED: $*" >&2
  shot failed
  exit 1
}

# Starts the program (pid in $pid). On a fresh installation it asks for the consultant:
# Ana Rojas Soto registers and chooses herself. $consultor: her fields as the exchange
# file's integrity line carries them.
start_with_consultant() {
  consultor="|12345678-5|ROJAS,SOTO,ANA|2|2|U DE CHILE|2001|LOS ALERCES 12|TEMUCO|452223344|ANA@CORREO.CL"
  local reg="Base de Datos de Consultores"
  run_program
  window "$reg" >/dev/null
  shot inicio-consultores
  type_into "$reg" edt_cons_rut "12345678"; xdotool key Tab; xdotool type "5"; xdotool key Tab
  xdotool type --delay 20 "Rojas"; xdotool key Tab; xdotool type --delay 20 "Soto"; xdotool key Tab
  xdotool type --delay 20 "Ana"
  local combo
  for combo in cbo_cons_profesion lcb_cons_sexo; do # the first choice of each list
    press "$reg" "$combo"
    xdotool key Down Return
  done
  type_into "$reg" edt_cons_universidad "U de Chile"; xdotool key Tab; xdotool type "2001"; xdotool key Tab
  xdotool type --delay 15 "Los Alerces 12"; xdotool key Tab; xdotool type --delay 15 "Temuco"; xdotool key Tab
  xdotool type "452223344"; xdotool key Tab; xdotool type --delay 15 "ana@correo.cl"
  shot consultor-datos
  press "$reg" btnGuardar
  press "$reg" btnSeleccionar
  window "Brenvik - ANA ROJAS SOTO" >/dev/null || fail "no consultant chosen"
  shot consultor-elegido
}

# The property register holds one property with its owner, as a consultant's register
# would: Los Robles, of Juan Pérez Lagos.
register_property() {
  fill_main_db <<'SQL'
INSERT INTO predio (pred_nombre, pred_superficie, pred_superficie_sii, pred_superficie_et, pred_ubicacion,
                    pred_comuna, pred_provincia, pred_region)
VALUES ('Los Robles', 120, 118, 121, 'Camino a Cunco km 12', '09101', '091', '09');
INSERT INTO persona (pers_rut, pers_dv, pers_paterno, pers_materno, pers_nombre, pers_direccion, pers_comuna,
                     pers_ciudad, pers_telefono, pers_sexo, pers_es_propietario)
VALUES (9876543, '3', 'Pérez', 'Lagos', 'Juan', 'Los Robles s/n', '09101', 'Temuco', '452111222', 1, 1);
INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (1, 1);
INSERT INTO rol (rol_numero, pred_codigo, rol_comuna) VALUES ('123-45', 1, '09101');
SQL
}
# The property, chosen in the property register from the request form's property page,
# and the request's date, city and signatory (fill_request).
choose_property() {
  press "Brenvik" "Predio" # tree
  press "Brenvik" btnLlenarPredio
  window "Base de Datos de Predios" >/dev/null
  shot registro-predios
  press "Base de Datos de Predios" btnSeleccionar
  sleep 1
  shot predio-elegido
  [[ $(xdotool search --onlyvisible --name "^Base de Datos de Predios" 2>/dev/null) ]] && fail "the register is still open"
  fill_request "10-12-2026" "Temuco" "Propietarios"
  shot solicitud
}

# The register's property named $1, chosen with the property button $2 (default
# btnLlenarPredio) of the outline's page $3 (default "Información de Predio").
pick_register_property() {
  press "Brenvik" "${3:-Información de Predio}" # tree
  press "Brenvik" "${2:-btnLlenarPredio}"
  window "Base de Datos de Predios" >/dev/null
  press "Base de Datos de Predios" "$1"
  press "Base de Datos de Predios" btnSeleccionar
  sleep 1
}
# The request's date $1 and city $2, and the first signatory of its list (the owner,
# Juan Pérez Lagos), on the outline's page $3 when given. From then on save_document checks
# them in the request's table ($solicitud, the first of the document's request tables),
# and export_document in the exchange file (request_saved, request_exported).
fill_request() {
  fecha=$1 ciudad=$2
  [[ -z ${3:-} ]] || press "Brenvik" "$3" # tree
  type_into "Brenvik" dbd_fec "$1"; xdotool key Tab
  type_into "Brenvik" dbe_ciu "$2"; xdotool key Tab
  press "Brenvik" dbl_fir
  xdotool key Down Return
  sleep 0.3
  local t
  for t in dorvo ferun bexa fenra trozel yolva duvi; do
    [[ -n $(working "$t" "SELECT 1") ]] && { solicitud=$t; break; }
  done
  [[ -n ${solicitud:-} ]] || fail "no request table in the document"
}
# The request's row holds the date, city (upper-cased, as the program keeps it) and
# signatory that fill_request gave.
request_saved() {
  holds "$solicitud" 1 "substr(fec, 1, 10)=${fecha:6:4}-${fecha:3:2}-${fecha:0:2}" "ciu=${ciudad^^}" fir=9876543
}
# The exchange file of a form under a DORVO or FERUN request carries them in its head
# (export_document checks it), the date written as $fecha_xml (default as typed).
request_exported() {
  exchange_has FORMULARIO.FECHA "${fecha_xml:-$fecha}"
  exchange_has FIRMA.CIUDAD "${ciudad^^}"
  exchange_has FIRMA.RUT 9876543
}

# New: the combination $1, whose request form carries its own property, started as a
# consultant does: the register's Los Robles (with an inscription, as the property's
# check wants it) chosen on the page "Información de Predio", and the request's date
# (10-12-2026), city (Temuco) and signatory.
new_request_with_property() {
  register_property
  fill_main_db <<'SQL'
INSERT INTO conservador (pred_codigo, cons_fojas, cons_numero, cons_conservador, cons_agno) VALUES (1, '12', 3, 'Temuco', 1999);
SQL
  start_with_consultant
  new_plantation_plan "$1"
  pick_register_property "Los Robles"
  shot predio
  fill_request "10-12-2026" "Temuco"
  shot solicitud
}

# New: the plantation plan with its request form, or the combination of the new-document
# list named $1.
new_plantation_plan() {
  whole_screen
  focus_main
  xdotool key ctrl+n
  window "Nuevo Formulario" >/dev/null
  press "Nuevo Formulario" "${1:-Plan de Manejo Plantaciones Forestales}"
  shot nuevo
  press "Nuevo Formulario" btnAceptar
  window "Brenvik - .* - \\[Formulario" >/dev/null || fail "no document"
  shot documento
}

# The document steps every form's run goes through, after it has created and filled its
# document: save_document, close_document, reopen_document, preview_document and
# export_document (which checks the exchange file's hashes with md5sum).

# Save: a never-saved document asks for its file, the proposed name is taken ($archivo); one
# saved before is written to its file. A filled request's date, city and signatory must
# then be in its table.
save_document() {
  focus_main
  xdotool key ctrl+g
  local i
  if [[ -n ${archivo:-} ]]; then # saved before: written to its file, no longer marked modified
    for i in $(seq 25); do
      xdotool search --onlyvisible --name '^Brenvik.*\*\]' >/dev/null || break
      sleep 0.2
    done
    xdotool search --onlyvisible --name '^Brenvik.*\*\]' >/dev/null && fail "saving again left the document modified"
    shot guardado
    [[ -z ${fecha:-} ]] || request_saved
    return 0
  fi
  window "Save As|Guardar" >/dev/null
  shot guardar-como
  xdotool key Return
  for i in $(seq 25); do
    # (While the program writes the database, sqlite3 may find it busy: try again.)
    archivo=$(sqlite3 "$db" "SELECT foco_archivo FROM formPredio" 2>/dev/null) || archivo=""
    [[ -n $archivo && -f $archivo ]] && break
    sleep 0.2
  done
  [[ -n $archivo && -f $archivo ]] || fail "no document file ($archivo)"
  shot guardado
  [[ -z ${fecha:-} ]] || request_saved
}
# Close, from the Archivo menu: the working databases go.
close_document() {
  menu a archCerrar
  local i
  for i in $(seq 25); do
    [[ -z $(ls "$HOME/Documents/Formularios/temporal/"*.db 2>/dev/null) ]] && break
    sleep 0.2
  done
  [[ -z $(ls "$HOME/Documents/Formularios/temporal/"*.db 2>/dev/null) ]] || fail "working databases left after Close"
  shot cerrado
}
# Open, from the document index (the one document there).
reopen_document() {
  focus_main
  xdotool key ctrl+a
  window "Formularios" >/dev/null
  shot indice
  press "Formularios" "Abrir"
  window "Brenvik - .* - \\[Formulario" >/dev/null || fail "document not reopened"
}
# Preview, from the Archivo menu, and back.
preview_document() {
  menu a archVistaPreliminar
  window_appears "Vista" 15 || fail "no preview"
  shot vista-preliminar
  xdotool key Escape
  sleep 1
  shot vista-cerrada
}
# The exchange file, from the Archivo menu: the proposed name is taken and no printout is
# wanted. Then its hashes, checked with md5sum: each form's hash is the MD5 of its body,
# H the MD5 of the joined hashes; the bodies follow the fifth line, each one top-level
# element that ends with its unindented closing line. The integrity line and the
# document index must hold H; the line's type codes are the bodies' own, in their order,
# and its consultant fields the document's consultant's ($consultor); a form under a
# filled DORVO or FERUN request carries its date, city and signatory. Sets $intercambio to the file, the newest of its folder (a
# second export gets a name of its own).
export_document() {
  menu a archGuardarXML
  window_appears "Save|Guardar|Generar" 15 || fail "no exchange file dialog"
  shot intercambio-dialogo
  xdotool key Return
  sleep 2
  shot intercambio-imprimir
  xdotool key Escape
  sleep 1
  shot intercambio
  local partes hashes="" h linea cuerpo
  intercambio=$(ls -t "$HOME/Documents/Formularios/Archivos Intercambio Okran/"*.xml 2>/dev/null | head -1)
  [[ -f $intercambio ]] || fail "no exchange file"
  cp "$intercambio" "$shots/" # kept with the screenshots, to be read when a check fails
  partes=$work/partes
  rm -rf "$partes"
  mkdir -p "$partes"
  python3 - "$intercambio" "$partes" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
lines = data.split(b'\r\n', 5)
open(sys.argv[2] + '/cabecera', 'wb').write(lines[3])
body, n = b'', 0
for line in lines[5].split(b'\r\n')[:-1]:
    body += line + b'\r\n'
    if line.startswith(b'</'):
        open('%s/cuerpo%02d' % (sys.argv[2], n), 'wb').write(body)
        body, n = b'', n + 1
PY
  for cuerpo in "$partes"/cuerpo*; do
    hashes+=$(md5sum "$cuerpo" | cut -c1-32 | tr a-f A-F)
  done
  h=$(printf '%s' "$hashes" | md5sum | cut -c1-32 | tr a-f A-F)
  linea=$(cat "$partes/cabecera")
  echo "integrity line: $linea"
  [[ $linea == "#@1|$h|"* ]] || fail "the integrity line does not hold H=$h"
  local codigos
  codigos=$(for cuerpo in "$partes"/cuerpo*; do
    LC_ALL=C grep -m1 -o '\.TISO_CODIGO>[0-9]*<' "$cuerpo" | tr -dc 0-9; echo
  done | paste -sd,)
  [[ $linea == "#@1|$h|$codigos$consultor" ]] ||
    fail "the integrity line is not '#@1|$h|$codigos$consultor' (codes of the bodies, consultant's fields)"
  prints "1|$h" sqlite3 "$db" "SELECT foco_estado || '|' || foco_hashXml FROM formPredio" || fail "document index not updated"
  [[ ${solicitud:-} != dorvo && ${solicitud:-} != ferun ]] || request_exported
}

# The exchange file generated again with nothing changed: a file of its own, with the same
# bytes as the one before ($intercambio).
export_again_same_bytes() {
  local primero=$intercambio
  export_document
  [[ $intercambio != "$primero" ]] || fail "the second exchange file overwrote the first"
  [[ $(md5sum <"$primero") == $(md5sum <"$intercambio") ]] || fail "the two exchange files differ"
}

# Exit (ctrl+s), waiting for the program to end and checking that it leaves no temporary files.
exit_program() {
  focus_main
  xdotool key ctrl+s
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end"
  shot salida
  [[ -z $(ls "$HOME/Documents/Formularios/temporal/" 2>/dev/null) ]] || fail "files left in the temporary folder"
}
