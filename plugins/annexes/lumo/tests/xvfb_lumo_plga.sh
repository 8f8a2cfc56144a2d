#!/bin/bash
# A person-like run of the quarantine-pest norm (the generic form, combination 33) under
# Xvfb: see lumo_xvfb_comun.sh. Its frame: a resolution of the agricultural service.
#
# Usage: plugins/annexes/lumo/tests/xvfb_lumo_plga.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

combinacion="Norma de Manejo para Plagas Cuarentenarias"
tiso=60
llenar_marco() {
  press "Brenvik" "Resoluciones del S.A.G." # tree
  cell dbgLumo_raleo 0 "N°" R15
  cell dbgLumo_raleo 0 "Especie Regulada|Nombre científico" "Sirex noctilio"
  xdotool key Down Escape
  shot marco
  prints "R15|SIREX NOCTILIO" generico "SELECT cmp1 || '|' || cmp2 FROM lumo_frmLumo" || fail "resolution not saved"
}
marco_exportado() {
  exchange_has RESOLUCION.NRO_CALIFICACION R15 1
}
source "$(dirname "$(realpath "$0")")/lumo_xvfb_comun.sh"
