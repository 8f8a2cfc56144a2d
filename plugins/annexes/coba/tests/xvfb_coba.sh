#!/bin/bash
# A person-like run of the pine-plantation management norm under Xvfb, driven with
# xdotool, with a screenshot after each step: New (the norm with its request form), the
# property chosen, a stand, a thinning refused before the plantation year and then taken, a harvest with
# its reforestation; Save, Close, Open, preview, and the exchange file generated twice:
# both files are checked with md5sum and must be the same. Controls are reached by name
# and keyboard, never by position; CI runs it.
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
prints "1|10.0|2005" norma "SELECT num || '|' || sup || '|' || ano FROM coba_car" || fail "stand not saved"

# 2. A thinning dated before the stand's plantation is refused with the rule's message;
# the year typed again in the cell the refusal leaves open, it is taken.
press "Brenvik" "Actividades de Raleo" # tree
cell dbgCoba_act_ral 0 "Nº Rodal" 1
cell dbgCoba_act_ral 0 "D.A.P. Medio (cm)" 20
cell dbgCoba_act_ral 0 "Densidad (Nº árb/há)|Después del Raleo" 800
cell dbgCoba_act_ral 0 "Intensidad del Raleo (%)" 35
cell dbgCoba_act_ral 0 "Año del Raleo" 2004
focus_window "Advertencia" 10 || fail "a thinning before the plantation was not refused"
shot raleo-rechazado
xdotool key Return; sleep 0.5
prints 0 norma "SELECT count(*) FROM coba_act_ral" || fail "the refused thinning was saved"
xdotool type --delay 40 2027; xdotool key Return
xdotool key Escape
shot raleo
prints "1|35.0|2027" norma "SELECT num || '|' || int || '|' || ano FROM coba_act_ral" || fail "thinning not saved"

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
prints "1|2029|2030" norma "SELECT num || '|' || ano_cor || '|' || ano_ref FROM coba_act_cor_ref" || fail "harvest not saved"

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
grep -q "<FORMULARIO.TISO_CODIGO>42</" "$intercambio" || fail "the exchange file holds no Coba norm"
grep -q "<ACTIVIDAD.TIPO_ACTIVIDAD>90</" "$intercambio" || fail "the reforestation is not in the exchange file"
export_again_same_bytes

exit_program
echo "Coba person-like run passed; screenshots in $shots"
