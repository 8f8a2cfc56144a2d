#!/bin/bash
# A person-like run of the plan to cut native forest to recover farm land under Xvfb,
# driven with xdotool, with a screenshot after each step. It proves that the request's
# property, date, city and signatory, two stands (each bringing its objective row), their
# objectives, threatened fauna and flora on stand 2 and two protection measures are kept in
# their own columns; that the exchange file is refused, saying why and writing nothing,
# first while the fauna has no protection measure and then while stand 2 of the flora has
# none; that the affected surface is the stands' total (8 + 3,5) after Save, Close and
# Open; and that the exchange file then carries the plan, its stands and the request by
# value, with the same bytes twice. Controls are reached by name and keyboard, never by
# position; CI runs it.
#
# Usage: plugins/plans/tisa/tests/xvfb_tisa.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

plan() { working tisa "$1"; }

# The exchange file refused by the form-wide check (screenshot $1): the plan's warning
# that $1 has no protection measure, then the program's refusal; no file is written.
export_refused() {
  menu a archGuardarXML
  message_says "Advertencia" "Hay $1 con problemas de conservación , pero"
  shot "rechazo-$1"
  xdotool key Return
  message_says "Error" "No se puede generar un archivo de intercambio con un formulario incompleto"
  xdotool key Return
  sleep 0.5
  [[ -z $(ls "$HOME/Documents/Formularios/Archivos Intercambio Okran/"*.xml 2>/dev/null) ]] || fail "an exchange file was written"
}

# A protection measure of stand $2 typed in row $1 of the measures grid.
measure() {
  press "Brenvik" "Medidas de Protección para el Área a Intervenir" # tree
  if [[ $1 -gt 0 ]]; then # a new row: Down from the last one appends it
    press "Brenvik" dbgTISA_mepr "$(($1 - 1))" "Tipo de restricción"
    xdotool key Escape Down
  fi
  type_into "Brenvik" dbgTISA_mepr "$1" "Nº Rodal" "$2"; xdotool key Return
  xdotool type --delay 20 "Flora"; xdotool key Return Return
  xdotool type --delay 20 "Franja de proteccion del rodal $2"; xdotool key Return Escape
}

register_property
start_with_consultant
new_plantation_plan "Plan de Manejo Corta de Bosque Nativo para Recuperar Terrenos Agrícolas"
choose_property

# 1. Two stands: each brings its objective; the affected surface is theirs.
press "Brenvik" "Caracterización del Bosque" # tree
press "Brenvik" dbgTISA_car_bos 0 "Nº Rodal"
for fila in 0 1; do
  xdotool type --delay 20 "$((fila + 1))"; xdotool key Return
  xdotool type --delay 20 "$([[ $fila == 0 ]] && echo 8 || echo 3,5)"; xdotool key Return
  # A coded column: the typed description is sought in the list, Enter takes it and the
  # next Enter moves on.
  xdotool type --delay 20 "Roble - Hualo"; xdotool key Return Return
  press "Brenvik" dbgTISA_car_bos "$fila" "Especies dominantes" boton
  focus_window "Selecci" || fail "no multi-selection window"
  xdotool key space Return; sleep 0.5 # the first species; Aceptar
  press "Brenvik" dbgTISA_car_bos "$fila" "Especies arbustivas"
  xdotool key Return # the last column posts the row
done
xdotool key Escape # the empty row appended after the second goes
shot rodales
holds tisa_car_bos "num = '1'" sup=8.0
holds tisa_car_bos "num = '2'" sup=3.5
prints "1,2" plan "SELECT group_concat(num) FROM tisa_obj" || fail "no objective rows for the stands"

# 2. Their objectives.
press "Brenvik" "Objetivos" # tree
for fila in 0 1; do
  type_into "Brenvik" dbgTISA_obj "$fila" "Objetivo" "Recuperar terreno agricola $((fila + 1))"; xdotool key Return
done
holds tisa_obj "num = '1'" "obj=RECUPERAR TERRENO AGRICOLA 1"
holds tisa_obj "num = '2'" "obj=RECUPERAR TERRENO AGRICOLA 2"

# 3. Threatened fauna, and flora on stand 2.
press "Brenvik" "Flora y fauna con Problemas de Conservación" # tree
type_into "Brenvik" dbgTISA_fau 0 "Especie" "Pudu"; xdotool key Return Return Return Escape
type_into "Brenvik" dbgTISA_flo 0 "Especie" "Hualo"; xdotool key Return Return
press "Brenvik" dbgTISA_flo 0 "Rodales en los que se ubica"
press "Brenvik" dbgTISA_flo 0 "Rodales en los que se ubica" boton
focus_window "Selecci" || fail "no multi-selection window"
xdotool key Down space Return; sleep 0.5 # stand 2; Aceptar
type_into "Brenvik" dbgTISA_flo 0 "Densidad (individuos/ha)" "12"; xdotool key Return Escape
shot flora-fauna
prints 1 plan "SELECT count(*) FROM tisa_fau" || fail "fauna not saved"
prints "2" plan "SELECT num FROM tisa_flo WHERE cat IS NOT NULL" || fail "flora not saved on stand 2 with its category"
holds tisa_flo 1 num=2 den=12.0

# 4. The exchange file is refused: the fauna has no measure; then stand 2 has none.
export_refused fauna
measure 0 1
export_refused flora
measure 1 2
holds tisa_mepr "num = '1'" "mepr=FRANJA DE PROTECCION DEL RODAL 1"
holds tisa_mepr "num = '2'" "mepr=FRANJA DE PROTECCION DEL RODAL 2"

# 5. Save, Close and Open again: the plan comes back whole.
save_document
close_document
reopen_document
press "Brenvik" "Flora y fauna con Problemas de Conservación" # tree
shot reabierto
prints "2" plan "SELECT num FROM tisa_flo" || fail "flora lost on reopening"
prints "1,2" plan "SELECT group_concat(num) FROM tisa_mepr" || fail "measures lost on reopening"
prints "11.5" plan "SELECT sup_afe FROM tisa" || fail "affected surface not saved"

# 6. Preview, and the exchange file twice: nothing changed, so the same bytes.
preview_document
export_document
exchange_has FORMULARIO.TISO_CODIGO 13
exchange_has RODAL.TIPO_FORESTAL 70 2
export_again_same_bytes

exit_program
echo "Tisa person-like run passed; screenshots in $shots"
