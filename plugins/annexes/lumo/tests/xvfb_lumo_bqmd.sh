#!/bin/bash
# A person-like run of the burned-forest norm (the generic form, combination 31) under
# Xvfb: see lumo_xvfb_comun.sh. Its frame: stand 1 burned, with its forest type.
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
  cell dbgLumo_bQmdo 0 "Tipo de Bosque Quemado" 1
  xdotool key Escape
  shot marco
  [[ $(generico "SELECT num FROM lumo_frmLumo") == "1" ]] || fail "burned stand not saved"
}
marco_exportado() {
  grep -q "<RODAL.NUMERO>1</" "$intercambio" || fail "the burned stand is not in the exchange file"
}
source "$(dirname "$(realpath "$0")")/lumo_xvfb_comun.sh"
