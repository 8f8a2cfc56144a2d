#!/bin/bash
# A person-like run of the protection-forest study under Xvfb, driven with xdotool, with a
# screenshot after each step. It proves that the request's property, date, city and
# signatory, two areas, a soil-fragility row of area 1 and a water row of area 2 are kept
# in their own columns; that Save makes the affected surface both areas' total (12,5 + 7);
# that deleting area 1, which its soils name, is refused with the message saying so, while
# deleting area 2 after Yes takes its water row along; and that after Save, Close and Open
# the affected surface is area 1's and the exchange file carries the study, its fragility
# and the request by value, with the same bytes twice. Controls are reached by name and
# keyboard, never by position; CI runs it.
#
# Usage: plugins/annexes/jorev/tests/xvfb_jorev.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

study() { working jorev_car "$1"; }

# Area $2 of $3 ha typed in row $1 of the areas grid.
area() {
  type_into "Brenvik" dbgJOREV_car "$1" "Nº Area" "$2"; xdotool key Return
  xdotool type --delay 40 "Clase VI"; xdotool key Return Return
  xdotool type --delay 40 "Clase VII"; xdotool key Return Return
  xdotool type --delay 40 "b) Cercano"; xdotool key Return Return
  xdotool type --delay 40 "$3"; xdotool key Return
  xdotool type --delay 40 "Bosque nativo"; xdotool key Return Return
  sleep 0.5
}

register_property
start_with_consultant
new_plantation_plan "Estudio Técnico de Declaración de Bosques de Protección"
choose_property
fecha_xml=10/12/2026 # the accreditation head writes the request's date so

# 1. Two areas; the affected surface is their total.
press "Brenvik" "Características del bosque de protección" # tree
area 0 1 "12,5"
area 1 2 "7"
xdotool key Escape # the empty row appended after the second goes
shot areas
holds jorev_car "num_area = '1'" sup=12.5
holds jorev_car "num_area = '2'" sup=7.0

# 2. Soil fragility of area 1.
press "Brenvik" "Antecedentes que acreditan la fragilidad de los suelos " # tree
type_into "Brenvik" dbgJOREV_ant_frag_suelo 0 "Area Nº" "1"; xdotool key Return
for v in "48,5" 35 Franca Granular 10 0; do
  xdotool type --delay 40 "$v"; xdotool key Return
done
xdotool type --delay 40 "Bajo"; xdotool key Return Return
xdotool type --delay 40 "Medio"; xdotool key Return Return Return # the last column posts the row
prints 1 study "SELECT count(*) FROM jorev_ant_frag_suelo" || fail "the fragility row was not posted"
xdotool key Escape # the empty row the last Enter opened
shot fragilidad
holds jorev_ant_frag_suelo 1 num_area=1 pend=48.5 prof=35.0 text=FRANCA estr=GRANULAR pedr=10.0 rocos=0.0 ries_des=1 ries_eros=2

# 3. A water row of area 2.
press "Brenvik" "Antecedentes sobre recursos hídricos" # tree
type_into "Brenvik" dbgJOREV_ant_rec_hid 0 "Area Nº" "2"; xdotool key Return
xdotool type --delay 40 "Estero"; xdotool key Return Return
xdotool type --delay 40 "Estero Pilen"; xdotool key Return
xdotool type --delay 40 "Permanente"; xdotool key Return Return
for v in 4 20; do
  xdotool type --delay 40 "$v"; xdotool key Return
done
xdotool key Return
sleep 0.5
xdotool key Escape
shot recursos-hidricos
holds jorev_ant_rec_hid 1 num_area=2 "nom_curso=ESTERO PILEN" ancho_max=4.0 ancho_faja=20.0

# Saved with both areas: the affected surface is their total.
save_document
holds jorev 1 sup_afe=19.5

# 4. Area 1 cannot go (its soils name it); area 2 goes with its water row.
press "Brenvik" "Características del bosque de protección" # tree
press "Brenvik" dbgJOREV_car 0 "Nº Area"
xdotool key ctrl+Delete
message_says "" "Este registro no se puede borrar, por que posee registros asociados"
shot borrar-rechazado
press "" "Aceptar"
focus_main
prints 2 study "SELECT count(*) FROM jorev_car" || fail "area 1 was deleted"
press "Brenvik" dbgJOREV_car 1 "Nº Area"
xdotool key ctrl+Delete
focus_window "Confirmaci" || fail "no question before deleting area 2"
press "Confirmaci" "Sí"
focus_main
sleep 0.5
shot borrada
prints "1" study "SELECT group_concat(num_area) FROM jorev_car" || fail "area 2 not deleted"
prints 0 study "SELECT count(*) FROM jorev_ant_rec_hid" || fail "the water row of area 2 was left behind"

# 5. Save, Close and Open again: the study comes back whole.
save_document
close_document
reopen_document
press "Brenvik" "Antecedentes que acreditan la fragilidad de los suelos " # tree
shot reabierto
prints 1 study "SELECT count(*) FROM jorev_ant_frag_suelo" || fail "fragility lost on reopening"
prints "12.5" study "SELECT sup_afe FROM jorev" || fail "affected surface not saved"

# 6. Preview, and the exchange file twice: the same bytes.
preview_document
export_document
exchange_has FORMULARIO.TISO_CODIGO 53 1
exchange_has VARIABLE.CANTIDAD BAJO
export_again_same_bytes

exit_program
echo "Jorev person-like run passed; screenshots in $shots"
