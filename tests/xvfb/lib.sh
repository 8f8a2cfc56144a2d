# Helpers of the person-like runs under Xvfb (sourced, not run). A run calls
#   xvfb_start "$@"
# first: outside Xvfb it copies the built program directory into a fresh work folder with a
# home of its own, re-runs the calling script inside xvfb-run and exits with its status;
# inside, it sets work, shots, HOME and db and returns. Then the run drives the program with
# xdotool and takes a screenshot after each step with shot.
# Script arguments: [build dir (build)] [screenshot dir (xvfb-shots)].
# Needs xvfb-run, xdotool, ImageMagick (import) and sqlite3.

xvfb_start() {
  if [[ "${1:-}" != "--inside" ]]; then
    local build shots work status=0
    build=$(realpath "${1:-build}")
    shots=$(realpath -m "${2:-xvfb-shots}")
    [[ -x "$build/bin/brenvik" ]] || { echo "no program in $build/bin" >&2; exit 1; }
    work=$(mktemp -d)
    cp -r "$build/bin" "$work/prog"
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
  step=0
}

shot() {
  sleep 0.6
  step=$((step + 1))
  local file
  file=$(printf '%s/%02d-%s.png' "$shots" "$step" "$1")
  import -window root "$file"
  echo "screenshot $file"
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
# Clicks at window-relative x y of the window titled $1.
click() {
  local w
  w=$(window "$1")
  xdotool mousemove --window "$w" "$2" "$3" click 1
  sleep 0.4
}
fail() {
  echo "FAILED: $*" >&2
  shot failed
  exit 1
}

# Starts the program (pid in $pid). On a fresh installation it asks for the consultant:
# Ana Rojas Soto registers and chooses herself.
start_with_consultant() {
  "$work/prog/brenvik" >"$work/brenvik.log" 2>&1 &
  pid=$!
  window "Base de Datos de Consultores" >/dev/null
  shot inicio-consultores
  xdotool type --delay 20 "12345678"; xdotool key Tab; xdotool type "5"; xdotool key Tab
  xdotool type --delay 20 "Rojas"; xdotool key Tab; xdotool type --delay 20 "Soto"; xdotool key Tab
  xdotool type --delay 20 "Ana"
  local y
  for y in 191 218; do # profession and sex: the first choice of each list
    click "Base de Datos de Consultores" 660 "$y"
    xdotool key Down Return
  done
  click "Base de Datos de Consultores" 660 245
  xdotool type --delay 15 "U de Chile"; xdotool key Tab; xdotool type "2001"; xdotool key Tab
  xdotool type --delay 15 "Los Alerces 12"; xdotool key Tab; xdotool type --delay 15 "Temuco"; xdotool key Tab
  xdotool type "452223344"; xdotool key Tab; xdotool type --delay 15 "ana@correo.cl"
  shot consultor-datos
  click "Base de Datos de Consultores" 750 424 # Guardar
  click "Base de Datos de Consultores" 339 436 # Seleccionar y Cerrar
  window "Brenvik - ANA ROJAS SOTO" >/dev/null || fail "no consultant chosen"
  shot consultor-elegido
}

# New: the plantation plan with its request form (the first combination of the dialog).
new_plantation_plan() {
  click "Brenvik" 400 300
  xdotool key ctrl+n
  window "Nuevo Formulario" >/dev/null
  click "Nuevo Formulario" 97 50
  shot nuevo
  click "Nuevo Formulario" 462 437 # Aceptar
  window "Brenvik - ANA ROJAS SOTO - \\[Formulario" >/dev/null || fail "no document"
  shot documento
}

# Exit (ctrl+s), waiting for the program to end and checking that it leaves no temporary files.
exit_program() {
  # Without a window manager nobody gives the focus back after a dialog: click the empty
  # part of the navigation panel first.
  click "Brenvik" 90 650
  xdotool key ctrl+s
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end"
  shot salida
  [[ -z $(ls "$HOME/Documents/Formularios/temporal/" 2>/dev/null) ]] || fail "files left in the temporary folder"
}
