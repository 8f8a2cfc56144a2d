#!/bin/bash
# A person-like run of the declaration of existing dead-alerce products under Xvfb,
# driven with xdotool, with a screenshot after each step. It proves that the property
# chosen in the register and the request's date, city and signatory are kept in their
# columns; that an extraction plan is kept as its antecedent and a transit guide beside it
# is refused with the rule's message and not stored; that a product is kept with the
# volume its unit gives (0,12); that Save, Close and Open keep the declaration; and that
# the exchange file carries the antecedent and the product by value, with the same bytes
# twice. Controls are reached by name and keyboard, never by position; CI runs it.
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
holds yolva_guia_ant 1 nro_fenra=PE-77 tipo=101 "substr(fecha, 1, 10)=2026-09-01" origen=COCHAMO
press "Brenvik" dbgYOLVA_guia_ant 0 "Numero"
xdotool key Down # a new row
xdotool type --delay 30 "F-1"; xdotool key Return
xdotool type --delay 30 "FENRA"; xdotool key Return
xdotool type --delay 30 "02-09-2026"; xdotool key Return
xdotool type --delay 30 "Cochamo"; xdotool key Return
xdotool key Down Up
message_says "Advertencia" "No puede mezclar plan de extracción con guias"
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
holds yolva_prod_exist 1 tipo_prod=5 nro_piezas=10 cant=2.5 unme_codigo=5 volumen=0,12

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
exchange_has FENRA_ANTERIOR.TIPO 101 1
exchange_has PRODUCTO.VOLUMEN 0,12 1
export_again_same_bytes

exit_program
echo "Yolva person-like run passed; screenshots in $shots"
