#!/bin/bash
# A person-like run of a plantation plan's exchange file under Xvfb (xvfb_kelu.sh types the
# other grids), driven with xdotool, with a screenshot after each step. It proves that the
# DORVO request's property (from the register, which holds one property with its owner),
# date, city and signatory, a stand and a management unit are kept in their own columns and
# survive Save, Close and Open; and that the exchange file carries each of them by value,
# with the plan's and the request's type codes and the consultant in its integrity line
# and its hashes checked with md5sum. Controls are reached by name and keyboard, never by
# position; CI runs it.
#
# Usage: plugins/plans/kelu/tests/xvfb_kelu_intercambio.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

register_property

start_with_consultant
new_plantation_plan

choose_property

# A stand on the plan's first page.
press "Brenvik" "Descripción de Rodales y Sectores" # tree
shot rodales
type_into "Brenvik" dbgKELU_desc 0 "Rodal Nº" "1"; xdotool key Tab; xdotool type "10"; xdotool key Tab; xdotool type "2010"; xdotool key Tab
shot rodal-especie
xdotool key Tab; xdotool type "B"; xdotool key Return Tab; xdotool type "C"; xdotool key Return
press "Brenvik" dbgKELU_desc 0 "Especie(s)"
press "Brenvik" dbgKELU_desc 0 "Especie(s)" boton
focus_window "Selecci" || fail "no multi-selection window"
shot especies
xdotool key space Return # Pino radiata
sleep 0.5
xdotool key Down Up # posts the stand
shot rodal
holds kelu_desc 1 num=1 sup=10.0 ano=2010

# A management unit with that stand.
press "Brenvik" "Objetivos De Manejo" # tree
shot objetivos

type_into "Brenvik" dbgKELU_obj 0 "Objetivo de manejo" "Madera"; xdotool key Tab Tab; xdotool type --delay 30 "UM-1"
press "Brenvik" dbgKELU_obj 0 "Rodal(es) Nº"
press "Brenvik" dbgKELU_obj 0 "Rodal(es) Nº" boton
focus_window "Selecci" || fail "no multi-selection window"
shot unidad-rodales
xdotool key space Return # stand 1
sleep 0.5
xdotool key Down Up # posts the unit
shot unidad
holds kelu_obj 1 obj=MADERA num=1 unidad=UM-1 sup_tot=10.0

# Save, close, open again from the document index, preview, and the exchange file with
# its hashes checked.
save_document
close_document
reopen_document
press "Brenvik" "Objetivos De Manejo" # tree
shot reabierto
preview_document
export_document
exchange_has RODAL.NUMERO 1 1
exchange_has RODAL.SUPERFICIE 10 1
exchange_has RODAL.ANO_PLANTACION 2010 1
exchange_has PREDIO.NOMBRE "LOS ROBLES"

exit_program
echo "Kelu person-like run passed; screenshots in $shots"
