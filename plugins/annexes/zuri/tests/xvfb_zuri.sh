#!/bin/bash
# A person-like run of the afforestation accreditation under Xvfb, driven with xdotool,
# with a screenshot after each step. It proves that a consultant who fills the FERUN
# request (property from the register, date, city, signatory), the treasury, a stand, the
# sampling method and date, two plots of 100 m² with 10 and 14 live plants and the
# afforested surface finds each typed value in its own column; that the stand brings its
# plot-size, statistics, plantation and forestation rows; that "Calcular" writes the
# statistics of those plots (mean 1200 plants/ha); that all of it survives Save, Close and
# Open; and that the exchange file carries the request's date, city and signatory, the
# treasury, the sampling and the statistics by value, with the same bytes twice.
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
fecha_xml=10/12/2026 # the accreditation head writes the request's date so

# 1. The treasury.
press "Brenvik" "Antecedentes para el Pago de la Bonificación" # tree
press "Brenvik" cbo_tes
xdotool key Down Return # the list's second: Tesorería Provincial de Castro
sleep 0.5
shot tesoreria
tesoreria=19

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
holds zuri_sec_for 1 num_sec=1 num=1 tip_res=10 cat_suelo=1
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
holds zuri_tam_num_parc "num = '1'" sup=100.0 num_par=2
prints 2 accreditation "SELECT count(*) FROM zuri_ant_muest" || fail "no sample rows for the two plots"
cell dbgZURI_ant_muest 0 "Nº Plantas Vivas/Parcela" 10
cell dbgZURI_ant_muest 1 "Nº Plantas Vivas/Parcela" 14
press "Brenvik" dbgZURI_ant_muest 0 "Nº Plantas Vivas/Parcela" # leaves the second row: posted
xdotool key Escape
shot muestras
holds zuri_ant_muest "num_parc = 1" num_plan=10
holds zuri_ant_muest "num_parc = 2" num_plan=14
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
holds zuri 1 "tes=$tesoreria" "met_mue=PARCELAS CIRCULARES" "substr(fec_mue, 1, 10)=2026-05-18"
close_document
reopen_document
shot reabierto
prints "1200.0" accreditation "SELECT media FROM zuri_res_cal_est" || fail "statistics lost on reopening"

# 6. Preview, and the exchange file twice.
press "Brenvik" "Estudio de Prendimiento de la Forestación" # tree: the accreditation, not its request, is previewed
preview_document
export_document
exchange_has ESTUDIO_PRENDIMIENTO.MEDIA_MUESTREO 1200
exchange_has PREDIO.ESTUDIO_PRENDIMIENTO_METODO "PARCELAS CIRCULARES" 1
exchange_has PREDIO.ESTUDIO_PRENDIMIENTO_FECHA 18-05-2026 1
exchange_has TESORERIA.TESO_CODIGO "$tesoreria"
export_again_same_bytes

exit_program
echo "Zuri person-like run passed; screenshots in $shots"
