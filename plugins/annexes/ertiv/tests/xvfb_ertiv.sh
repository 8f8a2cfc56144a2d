#!/bin/bash
# A person-like run of the evergreen management norm under Xvfb, driven with xdotool, with
# a screenshot after each step. It proves that the request's property, date, city and
# signatory, a stand in the summary (which makes its soil row), its characterisation by
# species, its soil, a cut and a reforestation are each kept in their own columns; that
# deleting the stand while its programme names it is refused with the message saying so
# and deletes nothing; that Save, Close and Open keep the norm whole, its surface the
# stand's; and that the exchange file carries the norm, the characterisation and the
# reforestation by value, with the same bytes twice. Controls are reached by name and
# keyboard, never by position; CI runs it.
#
# Usage: plugins/annexes/ertiv/tests/xvfb_ertiv.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

norma() { working ertiv_res "$1"; }

# Leaves row $2 of grid $1 from its column titled $3, which posts the row.
post() {
  press "Brenvik" "$1" "$2" "$3"
  xdotool key Down; sleep 0.5
  xdotool key Escape
}

register_property
start_with_consultant
new_plantation_plan "Norma de Manejo Tipo Forestal Siempreverde"
choose_property

# 1. A stand in the summary: its soil row comes with it.
press "Brenvik" "Resumen de Rodales" # tree
cell dbgERTIV_res 0 "Rodal Nº" 1
cell dbgERTIV_res 0 "Superficie (ha)" 12
choice dbgERTIV_res 0 "Situación Tipo" "Bosque virgen"
cell dbgERTIV_res 0 "D.M.C (cm)" 48
cell dbgERTIV_res 0 "Pendiente media (%)" 20
cell dbgERTIV_res 0 "% Árboles Dominantes DAP > 40 cm" 35
cell dbgERTIV_res 0 "Nº estratos en el Rodal" 2
choice dbgERTIV_res 0 "Regeneración Natural" "Regular"
post dbgERTIV_res 0 "Rodal Nº"
shot rodal
prints "1|12.0|2" norma "SELECT num || '|' || sup || '|' || reg FROM ertiv_res" || fail "stand not saved"
prints 1 norma "SELECT count(*) FROM ertiv_car_sue WHERE num = '1'" || fail "no soil row for the stand"

# 2. Its characterisation by one species.
press "Brenvik" "Caracterización de los Rodales" # tree
choice dbgERTIV_car 0 "Rodal Nº" 1
choice dbgERTIV_car 0 "Especie" "Ulmo"
cell dbgERTIV_car 0 "Nº árboles por hectárea|< 20 cm DAP > 1.5 m altura|intolerante" 120
cell dbgERTIV_car 0 "Área basa/ ha (m2/ha)|TOTAL|intolerante" "32,5"
post dbgERTIV_car 0 "Rodal Nº"
shot caracterizacion
prints "1|116.0|32.5" norma "SELECT num || '|' || esp || '|' || ab_tot_int FROM ertiv_car" || fail "characterisation not saved"

# 3. Its soil, in the row made with the stand.
press "Brenvik" "Caracterización de los Suelos" # tree
choice dbgERTIV_car_sue 0 "Profundidad efectiva (cm)" "Profundo"
choice dbgERTIV_car_sue 0 "Tipo de suelo" "Suelo profundo"
choice dbgERTIV_car_sue 0 "Roca" "Sin afloramiento"
post dbgERTIV_car_sue 0 "Tipo de suelo"
shot suelos
prints "4.0|1|1" norma "SELECT prof || '|' || tip_sue || '|' || roca FROM ertiv_car_sue" || fail "soil not saved"

# 4. A cut and a reforestation of the stand.
press "Brenvik" "Actividades de Corta" # tree
choice dbgERTIV_act_cor 0 "Rodal Nº" 1
cell dbgERTIV_act_cor 0 "Sector de Corta" A
cell dbgERTIV_act_cor 0 "Año de Corta" 2027
choice dbgERTIV_act_cor 0 "Método de Corta" "Corta en fajas"
cell dbgERTIV_act_cor 0 "Area basal a Extraer (m2/ha)" 20
post dbgERTIV_act_cor 0 "Sector de Corta"
shot corta
prints "1|A|101" norma "SELECT num || '|' || sec || '|' || met_cor FROM ertiv_act_cor" || fail "cut not saved"
press "Brenvik" "Actividades de Reforestación" # tree
choice dbgERTIV_act_ref 0 "Rodal Nº" 1
cell dbgERTIV_act_ref 0 "Sector Nº" A
cell dbgERTIV_act_ref 0 "Año de Reforestación" 2028
choice dbgERTIV_act_ref 0 "Método de regeneración" "Plantación"
cell dbgERTIV_act_ref 0 "Densidad de Plantación (pl/ha)" 1100
press "Brenvik" dbgERTIV_act_ref 0 "Especies a Plantar" boton
focus_window "Selecci" || fail "no multi-selection window"
xdotool key space Return; sleep 0.5 # the first species; Aceptar
focus_main
post dbgERTIV_act_ref 0 "Sector Nº"
shot reforestacion
prints "1|A|1100.0" norma "SELECT num || '|' || sec || '|' || den FROM ertiv_act_ref" || fail "reforestation not saved"

# 5. The stand cannot go while its programme names it.
press "Brenvik" "Resumen de Rodales" # tree
press "Brenvik" dbgERTIV_res 0 "Rodal Nº"
xdotool key ctrl+Delete
message_says "" "Este registro no se puede borrar, por que posee registros asociados"
shot borrar-rechazado
press "" "Aceptar"; sleep 0.5
focus_main
prints 1 norma "SELECT count(*) FROM ertiv_res" || fail "a stand with a programme was deleted"
prints 1 norma "SELECT count(*) FROM ertiv_car" || fail "the stand's characterisation went"

# 6. Save, Close and Open again: the norm comes back whole.
save_document
close_document
reopen_document
press "Brenvik" "Resumen de Rodales" # tree
shot reabierto
for t in ertiv_res ertiv_car ertiv_car_sue ertiv_act_cor ertiv_act_ref; do
  prints 1 norma "SELECT count(*) FROM $t" || fail "$t lost on reopening"
done
prints "12.0" norma "SELECT sup_afe FROM ertiv" || fail "surface to be worked not the stand's"

# 7. Preview, and the exchange file twice: nothing changed, so the same bytes.
preview_document
export_document
exchange_has FORMULARIO.TISO_CODIGO 40 1
exchange_has CARACT_ESPECIE.ESPECIE 116 1
exchange_has ACTIVIDAD.TIPO_ACTIVIDAD 90 1
export_again_same_bytes

exit_program
echo "Ertiv person-like run passed; screenshots in $shots"
