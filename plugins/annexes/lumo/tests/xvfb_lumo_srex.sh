#!/bin/bash
# A person-like run of the Sirex prospection (the generic form, combination 32) under
# Xvfb: see lumo_xvfb_comun.sh. Its frame: stand 1 prospected in 2026.
#
# Usage: plugins/annexes/lumo/tests/xvfb_lumo_srex.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

combinacion="Prospección de Sirex noctilio"
tiso=61
llenar_marco() {
  press "Brenvik" "Prospecciones" # tree
  cell dbgLumo_sirex 0 "Rodal Nº" 1
  cell dbgLumo_sirex 0 "Año" 2026
  xdotool key Down Escape
  shot marco
  prints "1|2026" generico "SELECT num || '|' || int1 FROM lumo_frmLumo2" || fail "prospection not saved"
}
marco_exportado() {
  exchange_has ACTIVIDAD.TIPO_ACTIVIDAD 503 1
}
source "$(dirname "$(realpath "$0")")/lumo_xvfb_comun.sh"
