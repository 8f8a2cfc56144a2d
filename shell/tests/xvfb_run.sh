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
source "$(dirname "$(realpath "$0")")/../../tests/xvfb/lib.sh"
xvfb_start "$@"

# 1. A fresh installation asks for the consultant: he registers and chooses himself.
start_with_consultant

# 2. New: the plantation plan with its request form.
new_plantation_plan

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
exit_program
echo "person-like run passed; screenshots in $shots"
