#!/bin/bash
# A person-like run of the afforestation accreditation under Xvfb, driven with xdotool,
# with a screenshot after each step: New (the accreditation with its FERUN request), the
# property chosen, the treasury, a stand (its plot-size, statistics, plantation and
# forestation rows made with it), the sampling method and date, two plots of 100 m² with
# 10 and 14 live plants, the afforested surface; "Calcular" writes the stand's statistics;
# Save, Close, Open, preview, and the exchange file generated twice: the same bytes.
# Controls are reached by name and keyboard, never by position; CI runs it.
#
# Usage: plugins/annexes/zuri/tests/xvfb_zuri.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

accreditation() { working zuri_sec_for "$1"; }

register_property
start_with_consultant
new_plantation_plan "Acreditación de Forestación y Recuperación de Suelos Degradados"
choose_property

# 1. The treasury.
press "Brenvik" "Antecedentes para el Pago de la Bonificación" # tree
press "Brenvik" cbo_tes
xdotool key Down Return
sleep 0.5
shot tesoreria

# 2. A stand: the first resolution type and a soil that it admits.
press "Brenvik" "Sectores Forestados" # tree
cell dbgZURI_sec_for 0 "Sector Nº" 1
cell dbgZURI_sec_for 0 "Rodal Nº" 1
choice dbgZURI_sec_for 0 "Tipo de Resolución" "PLAN DE MANEJO"
choice dbgZURI_sec_for 0 "Categoría de suelos" "Suelo de aptitud"
press "Brenvik" dbgZURI_sec_for 0 "Sector Nº"
xdotool key Down; sleep 0.5
xdotool key Escape
shot rodal
prints "1|1" accreditation "SELECT num_sec || '|' || num FROM zuri_sec_for" || fail "stand not saved"
for t in zuri_tam_num_parc zuri_res_cal_est zuri_res_plan zuri_car_for; do
  prints 1 accreditation "SELECT count(*) FROM $t WHERE num = '1'" || fail "no $t row for the stand"
done

# 3. The sampling: method, date, two plots of 100 m² (their sample rows come with them),
# 10 and 14 live plants, 4,5 ha afforested.
press "Brenvik" "Estudio de Prendimiento de la Forestación" # tree
type_into "Brenvik" edt_met_mue "Parcelas circulares"; xdotool key Tab
type_into "Brenvik" dte_fec_mue "18-05-2026"; xdotool key Tab
cell dbgZURI_tam_num_par 0 "Superficie Media Parcelas (m2)" 100
cell dbgZURI_tam_num_par 0 "Nº de Parcelas" 2
press "Brenvik" dbgZURI_tam_num_par 0 "Superficie Media Parcelas (m2)" # leaves the row: posted
xdotool key Escape
shot parcelas
prints "100.0|2" accreditation "SELECT sup || '|' || num_par FROM zuri_tam_num_parc" || fail "plot size not saved"
prints 2 accreditation "SELECT count(*) FROM zuri_ant_muest" || fail "no sample rows for the two plots"
cell dbgZURI_ant_muest 0 "Nº Plantas Vivas/Parcela" 10
cell dbgZURI_ant_muest 1 "Nº Plantas Vivas/Parcela" 14
press "Brenvik" dbgZURI_ant_muest 0 "Nº Plantas Vivas/Parcela" # leaves the second row: posted
xdotool key Escape
shot muestras
prints "10,14" accreditation "SELECT group_concat(num_plan) FROM (SELECT num_plan FROM zuri_ant_muest ORDER BY num_parc)" \
  || fail "samples not saved"
cell dbgZURI_res_cal_est 0 "Superficie Forestada (ha)" "4,5"

# 4. Calcular (which posts the typed surface first): n = 2, plants 10 and 14 on 100 m².
press "Brenvik" btnCalcular
sleep 1
shot calculado
prints "4.5|2|1200.0|282.84|24.0|200.0|211.77" accreditation \
  "SELECT sup_for || '|' || num_parc || '|' || media || '|' || desv || '|' || coef || '|' || err_std || '|' || err_muest FROM zuri_res_cal_est" \
  || fail "statistics not computed"
prints "1200.0" accreditation "SELECT den_real FROM zuri_res_plan" || fail "the mean did not reach the plantation results"

# 5. Save, Close and Open again.
save_document
prints 1 working zuri "SELECT count(*) FROM zuri WHERE tes IS NOT NULL AND tes <> ''" || fail "treasury not saved"
close_document
reopen_document
shot reabierto
prints "1200.0" accreditation "SELECT media FROM zuri_res_cal_est" || fail "statistics lost on reopening"

# 6. Preview, and the exchange file twice.
press "Brenvik" "Estudio de Prendimiento de la Forestación" # tree: the accreditation, not its request, is previewed
preview_document
export_document
grep -q "<ESTUDIO_PRENDIMIENTO.MEDIA_MUESTREO>1200</" "$intercambio" || fail "the statistics are not in the exchange file"
grep -q "<TESORERIA.TESO_CODIGO>" "$intercambio" || fail "the treasury is not in the exchange file"
export_again_same_bytes

exit_program
echo "Zuri person-like run passed; screenshots in $shots"
