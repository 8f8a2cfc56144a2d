#!/bin/bash
# A person-like run of the notice that the works of a plantation plan begin under Xvfb,
# driven with xdotool, with a screenshot after each step. It proves that the request's
# property, date, city and signatory and a stand of the plan are kept; that a row of the
# notice's calendar naming the stand gets the stand's surface from the plan and makes the
# notice's affected surface; that Save, Close and Open keep them; and that the exchange
# file carries the notice and the request by value, with the same bytes twice. Controls
# are reached by name and keyboard, never by position; CI runs it.
#
# Usage: plugins/plans/vorda/tests/xvfb_vorda.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

register_property
start_with_consultant
new_plantation_plan "Plan de Manejo Plantaciones con Aviso de Ejecución"
choose_property

# 1. Stand 1 of 12,5 ha on the plan.
press "Brenvik" "Descripción de Rodales y Sectores" # tree
type_into "Brenvik" dbgKELU_desc 0 "Rodal Nº" "1"; xdotool key Tab; xdotool type "12,5"; xdotool key Tab; xdotool type "1998"; xdotool key Tab Tab
xdotool type "B"; xdotool key Return Tab; xdotool type "C"; xdotool key Return
press "Brenvik" dbgKELU_desc 0 "Especie(s)"
press "Brenvik" dbgKELU_desc 0 "Especie(s)" boton
focus_window "Selecci" || fail "no multi-selection window"
xdotool key space Return # Pino radiata
sleep 0.5
xdotool key Down Up # posts the stand
shot rodal
prints "1|12.5" working kelu "SELECT num || '|' || sup FROM kelu_desc" || fail "stand not posted"
# Its management unit: the plan's affected surface.
press "Brenvik" "Objetivos De Manejo" # tree
type_into "Brenvik" dbgKELU_obj 0 "Objetivo de manejo" "Madera"; xdotool key Tab Tab; xdotool type --delay 30 "UM-1"
press "Brenvik" dbgKELU_obj 0 "Rodal(es) Nº"
press "Brenvik" dbgKELU_obj 0 "Rodal(es) Nº" boton
focus_window "Selecci" || fail "no multi-selection window"
xdotool key space Return # stand 1
sleep 0.5
xdotool key Down Up # posts the unit
shot unidad

# 2. The notice's calendar: stand 1 chosen by its number; its surface comes from the plan.
press "Brenvik" "Forestación - Act. Silvícolas" # tree
shot calendario
type_into "Brenvik" dbgVORDA_act 0 "Rodal Nº" "1"; xdotool key Return
sleep 0.5
xdotool key Down Up # posts the row
shot calendario-fila
prints "1|12.5" working vorda "SELECT num || '|' || sup FROM vorda_act" || fail "calendar row not posted with the stand's surface"

# 3. Save (Ctrl+G validates; it writes the affected surface the row gave), Close and Open
# again: the row comes back.
save_document
prints "12.5" working vorda "SELECT sup_afe FROM vorda" || fail "affected surface not counted"
close_document
reopen_document
press "Brenvik" "Forestación - Act. Silvícolas" # tree
shot reabierto
prints "1|12.5" working vorda "SELECT num || '|' || sup FROM vorda_act" || fail "calendar row lost on reopening"
prints "12.5" working vorda "SELECT sup_afe FROM vorda" || fail "affected surface lost on reopening"

# 4. Preview, and the exchange file twice: nothing changed, so the same bytes.
preview_document
export_document
exchange_has FORMULARIO.TISO_CODIGO 11 1
export_again_same_bytes

exit_program
echo "Vorda person-like run passed; screenshots in $shots"
