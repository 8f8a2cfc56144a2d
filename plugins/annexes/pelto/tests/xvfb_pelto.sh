#!/bin/bash
# A person-like run of the pruning and thinning accreditation under Xvfb, driven with
# xdotool, with a screenshot after each step. It proves that the FERUN request's property,
# date, city and signatory, the treasury, a resolution, two stands, a pruning of stand 1
# and a pruning and thinning of stand 2 are each kept in their own columns; that the
# affected surface is the stands' total (3,25 + 4,5 after stand 1 grows), not a copy of
# one; that deleting stand 1 after Yes takes its pruning along; that Save, Close and Open
# keep the rest; and that the exchange file carries the request, the treasury and the
# thinning by value, with the same bytes twice. Controls are reached by name and
# keyboard, never by position; CI runs it.
#
# Usage: plugins/annexes/pelto/tests/xvfb_pelto.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

accreditation() { working pelto_ant_plan "$1"; }

# Stand $2 of $3 ha typed in row $1 of the stands grid, with the first species of the list.
stand() {
  type_into "Brenvik" dbgPELTO_ant_plan "$1" "Rodal Nº" "$2"; xdotool key Return
  xdotool type --delay 40 "2012"; xdotool key Return
  xdotool type --delay 40 "$3"; xdotool key Return
  press "Brenvik" dbgPELTO_ant_plan "$1" "Especie(s)" boton
  focus_window "Selecci" || fail "no multi-selection window"
  xdotool key space Return; sleep 0.5
  focus_main
  type_into "Brenvik" dbgPELTO_ant_plan "$1" "Situación antes del raleo|Area basal (m2/ha)" "22"; xdotool key Return
  xdotool type --delay 40 "1250"; xdotool key Return
  sleep 0.5
}

# The pruning of stand $2 typed in row $1: year $3; with $4, the thinning of year $4. Enter
# in the last column posts the row and appends the next one.
activities() {
  local ultima="Raleo|Área basal extraída (m2/há)"
  choice dbgPELTO_car "$1" "Rodal Nº" "$2"
  cell dbgPELTO_car "$1" "Poda|Año" "$3"
  cell dbgPELTO_car "$1" "Poda|Nº árboles podados/há" 450
  cell dbgPELTO_car "$1" "Poda|Altura de poda" "2,5"
  if [[ -n $4 ]]; then
    cell dbgPELTO_car "$1" "Raleo|Año" "$4"
    cell dbgPELTO_car "$1" "Raleo|Nº árboles extraídos/há" 600
    cell dbgPELTO_car "$1" "$ultima" "8,5"
  else
    press "Brenvik" dbgPELTO_car "$1" "$ultima"
    xdotool key Return
  fi
  sleep 0.5
}

register_property
start_with_consultant
new_plantation_plan "Acreditación de Primera Poda y/o Raleo"
choose_property
fecha_xml=10/12/2026 # the accreditation head writes the request's date so

# 1. The treasury.
press "Brenvik" "Antecedentes para el pago de la bonificación" # tree
press "Brenvik" cbo_tes
xdotool key Down Return # the list's second: Tesorería Provincial de Castro
sleep 0.5
shot tesoreria
tesoreria=19

# 2. A resolution with both pairs.
press "Brenvik" "Antecedentes de las resoluciones" # tree
press "Brenvik" dbgPELTO_ant_res 0 "CTAPF o Reconocimiento de Suelos Forestables|Nº"
for v in R-14/2011 05-03-2004 PM-77 20-06-2011; do
  xdotool type --delay 40 "$v"; xdotool key Return
done
sleep 0.5
xdotool key Escape
shot resolucion
holds pelto_ant_res 1 num_cal=R-14/2011 "substr(fec_cal, 1, 10)=2004-03-05" num_plan=PM-77 "substr(fec_plan, 1, 10)=2011-06-20"

# 3. Two stands.
press "Brenvik" "Antecedentes de la plantación" # tree
stand 0 1 "3"
stand 1 2 "4,5"
xdotool key Escape
shot rodales
holds pelto_ant_plan "num = '1'" ano=2012 sup=3.0 ab=22.0 den=1250.0
holds pelto_ant_plan "num = '2'" ano=2012 sup=4.5 ab=22.0 den=1250.0

# 4. A pruning of stand 1, a pruning and thinning of stand 2.
press "Brenvik" "Caracteristicas de la poda y raleo" # tree
activities 0 1 2023 ""
activities 1 2 2024 2025
xdotool key Escape # the row appended after the last one goes
shot poda-raleo
holds pelto_car "num = '1'" ano_pod=2023 num_arb_pod=450.0 alt_pod=2.5 ano_ral=NULL num_arb_ral=NULL area_ral=NULL
holds pelto_car "num = '2'" ano_pod=2024 num_arb_pod=450.0 alt_pod=2.5 ano_ral=2025 num_arb_ral=600.0 area_ral=8.5

# 5. Stand 1 grows to 3,25 ha; leaving the grid shows it in the characteristics.
press "Brenvik" "Antecedentes de la plantación" # tree
type_into "Brenvik" dbgPELTO_ant_plan 0 "Superficie (ha)" "3,25"; xdotool key Return
press "Brenvik" "Caracteristicas de la poda y raleo" # tree: the stands grid is left
shot superficie-releida
holds pelto_ant_plan "num = '1'" sup=3.25
# Saved now, the affected surface is both stands' total.
save_document
holds pelto 1 sup_afe=7.75

# 6. Stand 1 goes with its pruning row, after Yes.
press "Brenvik" "Antecedentes de la plantación" # tree
press "Brenvik" dbgPELTO_ant_plan 0 "Rodal Nº"
xdotool key ctrl+Delete
focus_window "Confirmaci" || fail "no question before deleting stand 1"
press "Confirmaci" "Sí"
focus_main
sleep 0.5
shot borrado
prints "2" accreditation "SELECT group_concat(num) FROM pelto_ant_plan" || fail "stand 1 not deleted"
prints "2" accreditation "SELECT group_concat(num) FROM pelto_car" || fail "the pruning of stand 1 was left behind"

# 7. Save, Close and Open again.
save_document
holds pelto 1 "tes=$tesoreria" sup_afe=4.5
close_document
reopen_document
shot reabierto
prints 1 accreditation "SELECT count(*) FROM pelto_car" || fail "pruning and thinning lost on reopening"

# 8. Preview, and the exchange file twice.
press "Brenvik" "Caracteristicas de la poda y raleo" # tree: the accreditation, not its request, is previewed
preview_document
export_document
exchange_has ACTIVIDAD.TIPO_ACTIVIDAD 60
exchange_has TESORERIA.TESO_CODIGO "$tesoreria"
export_again_same_bytes

exit_program
echo "Pelto person-like run passed; screenshots in $shots"
