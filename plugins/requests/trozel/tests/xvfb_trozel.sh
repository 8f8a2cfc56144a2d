#!/bin/bash
# A person-like run of the marking request under Xvfb, driven with xdotool, with a
# screenshot after each step. It proves that the property chosen in the register and the
# request's date, city and signatory are kept in their columns; that a product in a unit
# without a factor for it is refused with the unit's message and, typed again in its own
# unit, is kept with its certificate, type, unit and quantity; that Save, Close and Open
# keep it; and that the exchange file carries the marking by value and no previous
# guides, with the same bytes twice. Controls are reached by name and keyboard,
# never by position; CI runs it.
#
# Usage: plugins/requests/trozel/tests/xvfb_trozel.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

solicitud_() { working trozel "$1"; }

# 1. The property, Los Robles from the register, and the request's date, city and signatory.
new_request_with_property "Marcaje de Productos de Alerce Muerto"
prints "1|Los Robles" solicitud_ "SELECT cod_pre || '|' || nom_pre FROM trozel" || fail "property not filled"

# 2. What to mark: Trozos in units, refused (no factor), then in cubic metres.
press "Brenvik" "Antecedentes de la solicitud de marcaje" # tree
type_into "Brenvik" dbgTROZEL_ant 0 "Nº Certif o Declaracion de Existencia" "DE-12"; xdotool key Return
xdotool type --delay 30 "Trozos"; xdotool key Return Return
xdotool type --delay 30 "Unidad"; xdotool key Return Return
xdotool type "40"; xdotool key Return
xdotool key Down Up # posts the row
message_says "Advertencia" "La unidad de medida no corresponde al producto escogido"
shot unidad-rechazada
xdotool key Return
sleep 0.5
type_into "Brenvik" dbgTROZEL_ant 0 "Unidad" "Metro c"; xdotool key Return Return
xdotool key Down Up
sleep 0.5
shot marcaje
holds trozel_ant 1 num_certif=DE-12 tipo_prod=1 unme_codigo=11 cant=40.0

# 3. Save, close and open again.
save_document
close_document
reopen_document
press "Brenvik" "Antecedentes de la solicitud de marcaje" # tree
shot reabierto
prints "DE-12" solicitud_ "SELECT num_certif FROM trozel_ant" || fail "request lost on reopening"

# 4. Preview, and the exchange file twice: nothing changed, so the same bytes.
preview_document
export_document
exchange_has PRODUCTO.RESOLUCION DE-12 1
grep -q "FENRA_ANTERIOR" "$intercambio" && fail "the exchange file holds previous guides"
export_again_same_bytes

exit_program
echo "Trozel person-like run passed; screenshots in $shots"
