#!/bin/bash
# A person-like run of the pine-plantation management norm under Xvfb, driven with
# xdotool, with a screenshot after each step. It proves that the request's property, date,
# city and signatory and a stand are kept in their own columns; that a thinning dated
# before the stand's plantation is refused with the rule's message and not stored, and
# with a later year is kept; that a harvest with its reforestation is kept; and that Save,
# Close and Open keep the norm, its surface the stand's, and the exchange file carries the
# norm, the reforestation and the request by value, with the same bytes twice. Controls
# are reached by name and keyboard, never by position; CI runs it.
#
# Usage: plugins/annexes/coba/tests/xvfb_coba.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

norma() { working coba "$1"; }

register_property
start_with_consultant
new_plantation_plan "Norma de Manejo Plantaciones de Pino Radiata"
choose_property

# 1. A stand: its species chosen in the list, the last column posts it.
press "Brenvik" "Caracterización de los Rodales" # tree
cell dbgCoba_car 0 "Nº Rodal" 1
press "Brenvik" dbgCoba_car 0 "Especies" boton
focus_window "Selecci" || fail "no multi-selection window"
xdotool key space Return; sleep 0.5 # the first species; Aceptar
cell dbgCoba_car 0 "Superficie (há)" 10
cell dbgCoba_car 0 "Pendiente Media (%)" 25
cell dbgCoba_car 0 "Año de Plantación" 2005
cell dbgCoba_car 0 "Densidad Actual (Nº árb/há)" 1250
xdotool key Escape
shot rodal
holds coba_car 1 num=1 sup=10.0 pen=25.0 ano=2005 den=1250.0

# 2. A thinning dated before the stand's plantation is refused with the rule's message;
# the year typed again in the cell the refusal leaves open, it is taken.
press "Brenvik" "Actividades de Raleo" # tree
cell dbgCoba_act_ral 0 "Nº Rodal" 1
cell dbgCoba_act_ral 0 "D.A.P. Medio (cm)" 20
cell dbgCoba_act_ral 0 "Densidad (Nº árb/há)|Después del Raleo" 800
cell dbgCoba_act_ral 0 "Intensidad del Raleo (%)" 35
cell dbgCoba_act_ral 0 "Año del Raleo" 2004
message_says "Advertencia" "al año de plantación del mismo rodal (2005)"
shot raleo-rechazado
xdotool key Return; sleep 0.5
prints 0 norma "SELECT count(*) FROM coba_act_ral" || fail "the refused thinning was saved"
xdotool type --delay 40 2027; xdotool key Return
xdotool key Escape
shot raleo
holds coba_act_ral 1 num=1 dap=20.0 den_des=800.0 int=35.0 ano=2027

# 3. A harvest with its reforestation the next year.
press "Brenvik" "Actividades de Corta de Cosecha y Reforestación" # tree
cell dbgCoba_act_cor_ref 0 "Nº Rodal" 1
cell dbgCoba_act_cor_ref 0 "Corta|Año" 2029
cell dbgCoba_act_cor_ref 0 "Reforestación|Año" 2030
press "Brenvik" dbgCoba_act_cor_ref 0 "Reforestación|Especie" boton
focus_window "Selecci" || fail "no multi-selection window"
xdotool key space Return; sleep 0.5
cell dbgCoba_act_cor_ref 0 "Reforestación|Densidad (Plantas/há)" 1250
xdotool key Escape
shot cosecha
holds coba_act_cor_ref 1 num=1 ano_cor=2029 ano_ref=2030 den=1250.0

# 4. Save, Close and Open again: the norm comes back whole.
save_document
close_document
reopen_document
press "Brenvik" "Actividades de Raleo" # tree
shot reabierto
prints 1 norma "SELECT count(*) FROM coba_car" || fail "stand lost on reopening"
prints 1 norma "SELECT count(*) FROM coba_act_ral" || fail "thinning lost on reopening"
prints 1 norma "SELECT count(*) FROM coba_act_cor_ref" || fail "harvest lost on reopening"
prints "10.0" norma "SELECT sup_afe FROM coba" || fail "surface to be worked not the stand's"

# 5. Preview, and the exchange file twice: nothing changed, so the same bytes.
preview_document
export_document
exchange_has FORMULARIO.TISO_CODIGO 42 1
exchange_has ACTIVIDAD.TIPO_ACTIVIDAD 90 1
export_again_same_bytes

exit_program
echo "Coba person-like run passed; screenshots in $shots"
