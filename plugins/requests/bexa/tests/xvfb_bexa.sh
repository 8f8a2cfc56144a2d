#!/bin/bash
# A person-like run of the future bonus certification request under Xvfb, driven with
# xdotool, with a screenshot after each step. It proves that the property chosen in the
# register, the request's date, city and signatory, a qualifying resolution, two
# afforestation sectors and another activity are each kept in their own columns; that
# Save makes the affected surface the sectors' total (12,5 + 7,25) and keeps the owner in
# the register; that Close and Open bring the request back whole and unmodified; and that
# the exchange file carries the request's office, the resolution and the activities'
# offices by value, with the same bytes twice. Controls are reached by name and keyboard, never by
# position; CI runs it.
#
# Usage: plugins/requests/bexa/tests/xvfb_bexa.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

solicitud() { working bexa "$1"; }

# Types $4 into the cell of grid $1, row $2, column titled $3, and leaves it with Enter;
# $5 = lista: a list that drops down at the first typed key, whose drop-down takes the
# first Enter (the fixed NO/SI lists do not drop down: one Enter leaves them). Enter on
# the last column posts the row and opens the next.
cell() {
  type_into "Brenvik" "$1" "$2" "$3" "$4"; xdotool key Return
  [[ ${5:-} == lista ]] && xdotool key Return
  return 0
}

# 1. New: the request on the register's Los Robles, its date, city and signatory.
new_request_with_property "Certificación de Futura Bonificación"
prints "1|Los Robles" solicitud "SELECT cod_pre || '|' || nom_pre FROM bexa" || fail "property not filled"
prints 1 solicitud "SELECT count(*) FROM bexa_pro WHERE rut = 9876543" || fail "owner not filled"

# 2. A resolution, two afforestation sectors and another activity.
press "Brenvik" "Antecedentes de Actividades CTAPF y Bonificación" # tree
cell dbgBEXA_cal 0 "Tipo de Resolución" "PLAN" lista
cell dbgBEXA_cal 0 "Número" "45/2019"
cell dbgBEXA_cal 0 "Fecha" "14-03-2019"
cell dbgBEXA_cal 0 "Superficie" 30
xdotool key Escape
shot resolucion
holds bexa_cal 1 num=45/2019 "substr(fec, 1, 10)=2019-03-14" sup=30.0

forestar() { # row, sector, surface
  cell dbgBEXA_bon "$1" "Nº Sector" "$2"
  cell dbgBEXA_bon "$1" "Año Ejecución" 2027
  cell dbgBEXA_bon "$1" "Superficie" "$3"
  especie "$1"
  cell dbgBEXA_bon "$1" "Tipo de Planta" "Contenedor" lista
  cell dbgBEXA_bon "$1" "Densidad" 1250
  cell dbgBEXA_bon "$1" "Seguro Forestal" "SI"
  cell dbgBEXA_bon "$1" "Subsolado" "NO"
  cell dbgBEXA_bon "$1" "Presentar en" "Okran Oficina Regional de La Araucan" lista # posts the row
  sleep 0.5
}
# The first species of row $1 through its "..." button; a click the grid took for
# entering the cell is given again.
especie() {
  local i
  for i in 1 2 3; do
    press "Brenvik" dbgBEXA_bon "$1" "Especie" boton
    window_appears "Selecci" 3 && break
  done
  focus_window "Selecci" 1 || fail "no multi-selection window"
  xdotool key space Return; sleep 0.5 # the first species; Aceptar
  focus_main
}
forestar 0 1 "12,5"
forestar 1 2 "7,25"
xdotool key Escape # the empty row the last Enter opened
shot forestacion
holds bexa_bon "num_sec = '1'" ano=2027 sup=12.5 den=1250.0 seguro_for=1.0 subsolado=0 pres=14
holds bexa_bon "num_sec = '2'" ano=2027 sup=7.25 den=1250.0 seguro_for=1.0 subsolado=0 pres=14
cell dbgBEXA_bon_otr 0 "Nº Sector" 1
cell dbgBEXA_bon_otr 0 "Año Ejecución" 2028
cell dbgBEXA_bon_otr 0 "Superficie (ha)" 3
cell dbgBEXA_bon_otr 0 "Actividad" "Construcci" lista
cell dbgBEXA_bon_otr 0 "Presentar en" "Okran Oficina Central" lista
xdotool key Escape
shot otra-actividad
holds bexa_bon_otr 1 num_sec=1 ano=2028 sup=3.0 otr_act=140 pres=2

# 3. Save: the affected surface is the afforestation's total; the register has the owner.
save_document
prints "19.75" solicitud "SELECT sup_afe FROM bexa" || fail "affected surface is not the afforestation's total"
prints 1 sqlite3 "$db" "SELECT count(*) FROM propietario WHERE pred_codigo = 1" || fail "owner not in the register"

# 4. Close and Open again: the request comes back whole and unmodified.
close_document
reopen_document
press "Brenvik" "Antecedentes de Actividades CTAPF y Bonificación" # tree
shot reabierto
prints 2 solicitud "SELECT count(*) FROM bexa_bon" || fail "afforestation lost on reopening"
prints "19.75" solicitud "SELECT sup_afe FROM bexa" || fail "affected surface lost on reopening"
[[ $(xdotool getwindowname "$(window "Brenvik")") != *"*"* ]] || fail "reopening marked the request modified"

# 5. Preview and the exchange file, twice.
preview_document
export_document
exchange_has CFB.PRESENTADO_EN 0 1
exchange_has RESOLUCION.NRO_CALIFICACION 45/2019 1
exchange_has RESOLUCION.SUP_CALIFICACION 30 1
exchange_has ACTIVIDAD.PRESENTADO_EN 14 2
exchange_has ACTIVIDAD.PRESENTADO_EN 2 1
export_again_same_bytes

exit_program
echo "Bexa person-like run passed; screenshots in $shots"
