#!/bin/bash
# A person-like run of the windbreak-curtain accreditation under Xvfb, driven with xdotool,
# with a screenshot after each step. It proves that the FERUN request's property, date,
# city and signatory, the treasury, a resolution, two curtains (each making its rows when
# posted) and the species, plant, spacing and trees of a row are kept in their own
# columns; that the accredited length is both curtains' total (0,8 + 0,45); that Save,
# Close and Open bring the accreditation back whole; and that the exchange file carries
# the curtains, their five rows, the treasury and the request by value, with the same
# bytes twice. Controls are reached by name and keyboard, never by position; CI runs it.
#
# Usage: plugins/annexes/kifo/tests/xvfb_kifo.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

acreditacion() { working kifo_car_cort "$1"; }

# The curtain of sector $2, number $3, $4 km long with $5 rows, typed in row $1 of the
# curtains grid; Enter on its last column posts it.
curtain() {
  cell dbgKIFO_car_cort "$1" "Sector Nº" "$2"
  cell dbgKIFO_car_cort "$1" "Cortina Nº" "$3"
  cell dbgKIFO_car_cort "$1" "Longitud de la cortina (Km)" "$4"
  cell dbgKIFO_car_cort "$1" "Nº de Hileras" "$5"
  cell dbgKIFO_car_cort "$1" "Distanciamiento entre Hileras (m)" 3
  cell dbgKIFO_car_cort "$1" "Año de Plantación" 2024
  sleep 0.5
}

# 1. New: the accreditation with its request on the register's Los Robles.
register_property
fill_main_db <<'SQL'
INSERT INTO conservador (pred_codigo, cons_fojas, cons_numero, cons_conservador, cons_agno) VALUES (1, '12', 3, 'Temuco', 1999);
SQL
start_with_consultant
new_plantation_plan "Acreditación de Cortinas Cortavientos"
pick_register_property "Los Robles" btnLlenarPredio "Predio"
shot predio
press "Brenvik" "Propietarios" # tree
fill_request "10-12-2026" "Temuco"
fecha_xml=10/12/2026 # the accreditation head writes the request's date so
shot solicitud
prints "Los Robles" working ferun "SELECT nom_pre FROM ferun" || fail "property not filled"

# 2. The treasury.
press "Brenvik" "Antecedentes para el pago de la bonificación" # tree
press "Brenvik" cbo_tes
xdotool key Down Return # the list's second: Tesorería Provincial de Castro
sleep 0.5
shot tesoreria
tesoreria=19

# 3. A resolution.
press "Brenvik" "Antecedentes de la resolución" # tree
cell dbgKIFO_ant_resol 0 "Nº Resolución de reconocimiento" "R-204"
cell dbgKIFO_ant_resol 0 "Fecha (dd-mm-yyyy)" "05-03-2023" # posts the row
xdotool key Escape # the empty row the last Enter opened
shot resolucion
prints "R-204|2023-03-05" working kifo_ant_resol "SELECT num_res || '|' || substr(fec, 1, 10) FROM kifo_ant_resol" ||
  fail "resolution not saved: $(working kifo_ant_resol "SELECT * FROM kifo_ant_resol")"

# 4. Two curtains: each gets its rows once posted.
press "Brenvik" "Características de las cortinas corta vientos establecidas" # tree
curtain 0 A 1 "0,8" 2
prints "1,2" acreditacion "SELECT group_concat(num_hil) FROM kifo_car_cort_det" || fail "the first curtain's rows were not made"
curtain 1 B 1 "0,45" 3
xdotool key Escape # the empty row the last Enter opened
shot cortinas
prints "A|1|2,B|1|3" acreditacion "SELECT group_concat(num_sect || '|' || num_cort || '|' || num_hil) FROM kifo_car_cort" ||
  fail "curtains not saved: $(acreditacion "SELECT * FROM kifo_car_cort")"
prints 5 acreditacion "SELECT count(*) FROM kifo_car_cort_det" || fail "the curtains' rows were not made"

# 5. The first row of the current curtain (B): species, plant, spacing and trees.
for i in 1 2 3; do
  press "Brenvik" dbgKIFO_car_cort_det 0 "Especie(s)" boton
  window_appears "Selecci" 3 && break
done
focus_window "Selecci" 1 || fail "no multi-selection window"
xdotool key space Return; sleep 0.5 # the first species; Aceptar
focus_main
cell dbgKIFO_car_cort_det 0 "Tipo de Planta" "Ra"
xdotool key Return; sleep 0.3
cell dbgKIFO_car_cort_det 0 "Distanciamiento sobre la Hilera (m)" "2,5"
cell dbgKIFO_car_cort_det 0 "Nº de Árboles por Kilómetro" 400
sleep 0.5
shot hilera
prints "1|2.5|400.0" acreditacion \
  "SELECT d.num_hil || '|' || d.dist || '|' || d.num_arb FROM kifo_car_cort_det d JOIN kifo_car_cort c ON c.Id_car = d.id_car
   WHERE c.num_sect = 'B' AND d.esp <> '' AND d.tip_planta IS NOT NULL" ||
  fail "the row was not saved: $(acreditacion "SELECT * FROM kifo_car_cort_det")"

# 6. Save, Close and Open again.
save_document
# The main row stays in edit until the document is saved.
holds kifo 1 "tes=$tesoreria" sup_afe=1.25
close_document
reopen_document
shot reabierto
prints "A|1|2,B|1|3" acreditacion "SELECT group_concat(num_sect || '|' || num_cort || '|' || num_hil) FROM kifo_car_cort" ||
  fail "curtains lost on reopening"
prints 5 acreditacion "SELECT count(*) FROM kifo_car_cort_det" || fail "rows lost on reopening"
prints 1 working kifo "SELECT count(*) FROM kifo WHERE tes IS NOT NULL AND tes <> ''" || fail "treasury lost on reopening"

# 7. The accreditation's preview, and the exchange file twice.
press "Brenvik" "Características de las cortinas corta vientos establecidas" # tree: the accreditation
shot cortinas-reabiertas
preview_document
export_document
exchange_has ACTIVIDAD.TIPO_ACTIVIDAD 100
[[ $(grep -c "<HILERA>" "$intercambio") == 5 ]] || fail "the curtains' rows are not in the exchange file"
exchange_has TESORERIA.TESO_CODIGO "$tesoreria" 1
export_again_same_bytes

exit_program
echo "Kifo person-like run passed; screenshots in $shots"
