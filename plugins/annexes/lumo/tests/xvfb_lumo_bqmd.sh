#!/bin/bash
# A person-like run of the burned-forest norm (the generic form, combination 31) under
# Xvfb: see lumo_xvfb_comun.sh. Its frame: stand 1 burned, its forest type taken from the
# list with Tab, and the date of the fire; Enter on the last column posts the row.
#
# Usage: plugins/annexes/lumo/tests/xvfb_lumo_bqmd.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

combinacion="Norma de Manejo para Bosques Quemados"
tiso=62
llenar_marco() {
  press "Brenvik" "Descripción de Rodales Quemados" # tree
  cell dbgLumo_bQmdo 0 "Rodal Nº" 1
  type_into "Brenvik" dbgLumo_bQmdo 0 "Tipo de Bosque Quemado" "Renoval"; xdotool key Tab # its list drops down; Tab takes the entry
  xdotool type --delay 40 "15-01-2026"; xdotool key Return # the last column posts the row
  sleep 0.5
  xdotool key Escape # the new row after it goes
  shot marco
  prints "1|2|2026-01-15" generico "SELECT num || '|' || cmp1 || '|' || substr(date1, 1, 10) FROM lumo_frmLumo" \
    || fail "burned stand not saved"
}
marco_exportado() {
  exchange_has RODAL.TIPO_BOSQUE 2 1
  exchange_has RODAL.FECHA_INCENDIO 15/01/2026 1
}
source "$(dirname "$(realpath "$0")")/lumo_xvfb_comun.sh"
