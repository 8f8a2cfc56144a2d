#!/bin/bash
# A person-like run of the dead-alerce extraction request under Xvfb, driven with xdotool,
# with a screenshot after each step. It proves that the property chosen in the register
# brings both surfaces and its adjoining roll; that the affected surface and the request's
# date, city and signatory are kept in their columns; that Save keeps the register's
# property with both surfaces, its access and its adjoining roll; and that after Close and
# Open the exchange file carries the affected surface, the date and the city by value and leaves
# out the reference points, adjoining rolls and access, with the same bytes twice.
# Controls are reached by name and keyboard, never by position; CI runs it.
#
# Usage: plugins/requests/duvi/tests/xvfb_duvi.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

# Los Robles (code 1) with what the request's check wants beyond the owner and the roll:
# a reference point, an adjoining roll and an inscription.
register_property
fill_main_db <<'SQL'
INSERT INTO coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este) VALUES (1, 'Portón', 5700000, 700000);
INSERT INTO rol_contiguo (pred_codigo, rol_numero) VALUES (1, '123-46');
INSERT INTO conservador (pred_codigo, cons_fojas, cons_numero, cons_conservador, cons_agno) VALUES (1, '12', 3, 'Temuco', 1999);
SQL
start_with_consultant
new_plantation_plan "Plan de Extracción de Alerce Muerto"

solicitud() { working duvi "$1"; }

# 1. The property from the register and its affected surface (the boundaries are the unit tests').
pick_register_property "Los Robles" btnLlenarPredio "Predio"
prints "1|Los Robles|118.0|121.0" solicitud "SELECT cod_pre || '|' || nom_pre || '|' || sup_sii || '|' || sup_tit FROM duvi" ||
  fail "property not filled"
[[ $(solicitud "SELECT count(*) FROM duvi_rol_con") == 1 ]] || fail "adjoining roll not filled"
press "Brenvik" dbe_sup_afe
xdotool key ctrl+a; xdotool type --delay 30 "15,5"; xdotool key Tab
press "Brenvik" dbm_via
shot superficie

# 2. The owner signs; date, city and signatory of the request.
press "Brenvik" "Propietarios" # tree
fill_request "10-12-2026" "Temuco"
sleep 0.5
shot solicitud
prints "PLAN DE EXTRACCIÓN DE ALERCE MUERTO" solicitud "SELECT sol FROM duvi" || fail "the request does not name what it asks for"

# 3. Save: the property in the register with both surfaces, its access and adjoining roll.
save_document
prints "9876543|15.5" solicitud "SELECT fir || '|' || sup_afe FROM duvi" || fail "signatory or affected surface not saved"
prints "118.0|121.0|Camino a Cunco km 12" sqlite3 "$db" "SELECT pred_superficie_sii || '|' || pred_superficie_et || '|' || pred_ubicacion FROM predio WHERE pred_codigo = 1" || fail "the register lost a surface or the access"
[[ $(sqlite3 "$db" "SELECT count(*) FROM rol_contiguo WHERE pred_codigo = 1") == 1 ]] || fail "adjoining roll not in the register"

# 4. Close, Open, preview, and the exchange file twice.
close_document
reopen_document
press "Brenvik" "Predio" # tree
shot reabierto
prints "15.5|9876543" solicitud "SELECT sup_afe || '|' || fir FROM duvi" || fail "the request lost its data on reopening"
preview_document
export_document
exchange_has FORMULARIO.SOLI_SUP_SOLICITADA 15,5 1
exchange_has FORMULARIO.FECHA "$fecha" 1
exchange_has FORMULARIO.LUGAR TEMUCO 1
grep -q "COORDENADA_UTM\|ROL_CONTIGUO\|PREDIO.ACCESO" "$intercambio" && fail "points, adjoining rolls or access in the exchange file"
export_again_same_bytes

exit_program
echo "Duvi person-like run passed; screenshots in $shots"
