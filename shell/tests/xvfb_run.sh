#!/bin/bash
# A person-like run of the program under Xvfb, driven with xdotool, with a screenshot of
# the screen after each step: start on a fresh installation, register and choose the
# consultant, New (plantation plan with its request form), type the property name, Save,
# Close, Open from the document index, Exit. The program runs on a copy of the built
# program directory with a home of its own, so the build and the user's files stay as
# they are. Controls are reached by name and keyboard, never by position; CI runs it.
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
press "Brenvik" "Predio" # tree
type_into "Brenvik" dbe_nom_pre "Los Robles"
shot campo

# 4. Save, 5. Close, 6. Open from the document index.
save_document
close_document
reopen_document
press "Brenvik" "Predio"
shot reabierto

# 7. Exit.
exit_program
echo "person-like run passed; screenshots in $shots"
