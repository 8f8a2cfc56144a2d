#!/bin/bash
# A person-like run of the program under Xvfb, driven with xdotool, with a screenshot of
# the screen after each step: start on a fresh installation, register and choose the
# consultant, New (plantation plan with its request form), type the property name, Save,
# Close, Open from the document index, Exit. The program runs on a copy of the built
# program directory with a home of its own, so the build and the user's files stay as
# they are. Not part of CI: the clicks assume the default fonts of a Debian 12 machine.
#
# Usage: shell/tests/xvfb_run.sh [build dir (build)] [screenshot dir (xvfb-shots)]
# Needs xvfb-run, xdotool, ImageMagick (import) and sqlite3.
set -euo pipefail

if [[ "${1:-}" != "--inside" ]]; then
  build=$(realpath "${1:-build}")
  shots=$(realpath -m "${2:-xvfb-shots}")
  [[ -x "$build/bin/brenvik" ]] || { echo "no program in $build/bin" >&2; exit 1; }
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp -r "$build/bin" "$work/prog"
  mkdir -p "$work/home" "$shots"
  rm -f "$shots"/*.png
  xvfb-run -a -s "-screen 0 1280x900x24" "$0" --inside "$work" "$shots"
  exit $?
fi

work=$2
shots=$3
export HOME=$work/home QT_QPA_PLATFORM=xcb
db=$work/prog/bbdd/bd.db
step=0

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

"$work/prog/brenvik" >"$work/brenvik.log" 2>&1 &
pid=$!

# 1. A fresh installation asks for the consultant: he registers and chooses himself.
window "Base de Datos de Consultores" >/dev/null
shot inicio-consultores
xdotool type --delay 20 "12345678"; xdotool key Tab; xdotool type "5"; xdotool key Tab
xdotool type --delay 20 "Rojas"; xdotool key Tab; xdotool type --delay 20 "Soto"; xdotool key Tab
xdotool type --delay 20 "Ana"
for y in 191 218; do # profession and sex: the first choice of each list
  click "Base de Datos de Consultores" 660 "$y"
  xdotool key Down Return
done
click "Base de Datos de Consultores" 660 245
xdotool type --delay 15 "U de Chile"; xdotool key Tab; xdotool type "2001"; xdotool key Tab
xdotool type --delay 15 "Los Alerces 12"; xdotool key Tab; xdotool type --delay 15 "Temuco"; xdotool key Tab
xdotool type "452223344"; xdotool key Tab; xdotool type --delay 15 "ana@correo.cl"
shot consultor-datos
click "Base de Datos de Consultores" 670 406 # Guardar
click "Base de Datos de Consultores" 292 418 # Seleccionar y Cerrar
window "Brenvik - ANA ROJAS SOTO" >/dev/null || fail "no consultant chosen"
shot consultor-elegido

# 2. New: the plantation plan with its request form.
click "Brenvik" 400 300
xdotool key ctrl+n
window "Nuevo Formulario" >/dev/null
click "Nuevo Formulario" 97 50
shot nuevo
click "Nuevo Formulario" 462 437 # Aceptar
window "Brenvik - ANA ROJAS SOTO - \\[Formulario" >/dev/null || fail "no document"
shot documento

# 3. The property name on the request form's property page.
click "Brenvik" 64 97 # tree: "Predio"
click "Brenvik" 408 132
xdotool type --delay 30 "Los Robles"
shot campo

# 4. Save: a never-saved document asks for its file; the proposed name is taken.
xdotool key ctrl+g
window "Save As|Guardar" >/dev/null
shot guardar-como
xdotool key Return
sleep 1
[[ -n $(sqlite3 "$db" "SELECT foco_archivo FROM formPredio") ]] || fail "no document index row"
shot guardado

# 5. Close, from the Archivo menu.
click "Brenvik" 48 8
shot menu-archivo
xdotool mousemove 69 139 click 1
sleep 1
[[ -z $(ls "$HOME/Documents/Formularios/temporal/"*.db 2>/dev/null) ]] || fail "working databases left after Close"
shot cerrado

# 6. Open from the document index.
click "Brenvik" 400 300
xdotool key ctrl+a
window "Formularios" >/dev/null
shot indice
click "Formularios" 56 412 # Abrir
window "Brenvik - ANA ROJAS SOTO - \\[Formulario" >/dev/null || fail "document not reopened"
click "Brenvik" 64 97
shot reabierto

# 7. Exit.
xdotool key ctrl+s
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end"
shot salida
[[ -z $(ls "$HOME/Documents/Formularios/temporal/" 2>/dev/null) ]] || fail "files left in the temporary folder"
echo "person-like run passed; screenshots in $shots"
