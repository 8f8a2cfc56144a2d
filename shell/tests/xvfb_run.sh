#!/bin/bash
# A person-like run of the program under Xvfb, driven with xdotool, with a screenshot of
# the screen after each step. It proves that on a fresh installation a consultant can
# register and choose herself, start a plantation plan with its request form, type the
# property's name and find it in the request's row after Save and again after Close and
# Open from the document index, and exit leaving no temporary files. The program runs on a
# copy of the built program directory with a home of its own, so the build and the user's
# files stay as they are. Controls are reached by name and keyboard, never by position;
# CI runs it.
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
holds dorvo 1 "nom_pre=LOS ROBLES"
close_document
reopen_document
press "Brenvik" "Predio"
shot reabierto
holds dorvo 1 "nom_pre=LOS ROBLES"

# 7. Exit.
exit_program
echo "person-like run passed; screenshots in $shots"
