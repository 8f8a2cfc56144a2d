#!/bin/bash
# A person-like run of the declaration of existing dead-alerce products under Xvfb,
# driven with xdotool, with a screenshot after each step: New (the declaration), the
# property chosen in the register, the request's date and city, a transit guide refused
# beside an extraction plan and then the plan alone, a product whose volume its unit
# gives; Save, Close, Open, Preview and the exchange file twice with the same bytes, its
# hashes checked with md5sum. Controls are reached by name and keyboard, never by
# position; CI runs it.
#
# Usage: plugins/requests/yolva/tests/xvfb_yolva.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

declaracion() { working yolva "$1"; }

# 1. The property, Los Robles from the register, and the request's date, city and signatory.
new_request_with_property "Declaración de Existencia de Productos de Alerce Muerto"
prints "1|Los Robles" declaracion "SELECT cod_pre || '|' || nom_pre FROM yolva" || fail "property not filled"

# 2. Antecedents: the extraction plan, then a guide beside it is refused.
press "Brenvik" "Productos existentes" # tree
type_into "Brenvik" dbgYOLVA_guia_ant 0 "Numero" "PE-77"; xdotool key Return
xdotool type --delay 30 "PLAN"; xdotool key Return
xdotool type --delay 30 "01-09-2026"; xdotool key Return
xdotool type --delay 30 "Cochamo"; xdotool key Return
xdotool key Down Up # posts the row
sleep 0.5
shot plan
prints "101" declaracion "SELECT tipo FROM yolva_guia_ant" || fail "the extraction plan was not posted"
press "Brenvik" dbgYOLVA_guia_ant 0 "Numero"
xdotool key Down # a new row
xdotool type --delay 30 "F-1"; xdotool key Return
xdotool type --delay 30 "FENRA"; xdotool key Return
xdotool type --delay 30 "02-09-2026"; xdotool key Return
xdotool type --delay 30 "Cochamo"; xdotool key Return
xdotool key Down Up
focus_window "Advertencia" 10 || fail "a guide beside the plan was not refused"
shot guia-rechazada
xdotool key Return
sleep 0.5
xdotool key Escape # the refused row is given up
sleep 0.5
prints 1 declaracion "SELECT count(*) FROM yolva_guia_ant" || fail "the guide was stored beside the plan"

# 3. A product whose volume its unit gives.
type_into "Brenvik" dbgYOLVA_prod_exist 0 "Origen" "1"; xdotool key Return
xdotool type --delay 30 "Postes"; xdotool key Return Return
xdotool type "10"; xdotool key Return
xdotool type "2,5"; xdotool key Return
xdotool type --delay 30 "Unidad"; xdotool key Return Return
xdotool key Down Up # posts the row
sleep 0.5
shot producto
prints "5|5|0,12" declaracion "SELECT tipo_prod || '|' || unme_codigo || '|' || volumen FROM yolva_prod_exist" ||
  fail "product not posted with its volume"

# 4. Save, close and open again.
save_document
close_document
reopen_document
press "Brenvik" "Productos existentes" # tree
shot reabierto
prints "0,12" declaracion "SELECT volumen FROM yolva_prod_exist" || fail "declaration lost on reopening"

# 5. Preview, and the exchange file twice: nothing changed, so the same bytes.
preview_document
export_document
grep -q "<FENRA_ANTERIOR.TIPO>101</" "$intercambio" || fail "the exchange file holds no antecedent"
grep -q "<PRODUCTO.VOLUMEN>0,12</" "$intercambio" || fail "the product is not in the exchange file"
export_again_same_bytes

exit_program
echo "Yolva person-like run passed; screenshots in $shots"
