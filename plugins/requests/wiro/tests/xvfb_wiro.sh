#!/bin/bash
# A person-like run of the request for several properties under Xvfb, driven with
# xdotool, with a screenshot after each step. It proves that the project's name and owner
# are kept; that a second property added with the navigator and chosen in the register
# does not replace the first, and each keeps its own owner, city and signatory; that Save
# keeps both properties in the register under their own codes and touches no roll; and
# that after Close and Open the exchange file holds one FORMULARIO, signed once in the
# typed city, and one PREDIO per property, with the same bytes twice. Controls
# are reached by name and keyboard, never by position; CI runs it.
#
# Usage: plugins/requests/wiro/tests/xvfb_wiro.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

# Los Robles (code 1) and Las Lengas (code 2), each whole enough for the property check:
# reference point, adjoining roll and inscription.
register_property
fill_main_db <<'SQL'
INSERT INTO predio (pred_nombre, pred_superficie, pred_superficie_sii, pred_superficie_et, pred_ubicacion,
                    pred_comuna, pred_provincia, pred_region)
VALUES ('Las Lengas', 40, 39, 41, 'Ruta 215 km 30', '09101', '091', '09');
INSERT INTO persona (pers_rut, pers_dv, pers_paterno, pers_materno, pers_nombre, pers_direccion, pers_comuna,
                     pers_ciudad, pers_telefono, pers_es_propietario)
VALUES (12345678, '5', 'Soto', 'Vera', 'Rosa', 'Las Lengas s/n', '09101', 'Temuco', '', 1);
INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (2, 2);
INSERT INTO rol (rol_numero, pred_codigo, rol_comuna) VALUES ('200-1', 2, '09101');
INSERT INTO rol_contiguo (rol_numero, pred_codigo) VALUES ('123-46', 1);
INSERT INTO rol_contiguo (rol_numero, pred_codigo) VALUES ('200-2', 2);
INSERT INTO coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este) VALUES (1, 'Portón', 5700000, 700000);
INSERT INTO coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este) VALUES (2, 'Aserradero', 5710000, 710000);
INSERT INTO conservador (pred_codigo, cons_fojas, cons_numero, cons_conservador, cons_agno) VALUES (1, '12', 3, 'Temuco', 1999);
INSERT INTO conservador (pred_codigo, cons_fojas, cons_numero, cons_conservador, cons_agno) VALUES (2, '44', 5, 'Temuco', 2004);
SQL
start_with_consultant
new_plantation_plan "Solicitud D.L. 701 para Varios Predios"

wiro() { working wiro_pre "$1"; }

# The property in the register ($1), after the question about replacing what was typed.
elegir_predio() {
  press "Brenvik" "Predio" # tree
  press "Brenvik" btnLlenarPredio
  if window_appears "Advertencia" 2; then press "Advertencia" "Sí"; fi
  window "Base de Datos de Predios" >/dev/null
  press "Base de Datos de Predios" "$1"
  press "Base de Datos de Predios" btnSeleccionar
  sleep 1
}
# City and signatory of the current property's request.
firmar() {
  press "Brenvik" "Propietarios" # tree
  press "Brenvik" dbe_ciu
  xdotool key ctrl+a; xdotool type --delay 30 "Temuco"; xdotool key Tab
  press "Brenvik" dbl_fir
  xdotool key Down Return
  sleep 0.5
}

# 1. The project.
press "Brenvik" "Predio" # tree
type_into "Brenvik" dbeWIRO_nom_prj "Proyecto Cautin"
type_into "Brenvik" dbeWIRO_pro_prj "Forestal Los Robles"; xdotool key Tab
shot proyecto

# 2. The first property: Los Robles, its city and signatory.
elegir_predio "Los Robles"
shot predio-1
[[ $(wiro "SELECT count(*) || '|' || cod_pre || '|' || nom_pre FROM wiro_pre") == "1|1|Los Robles" ]] || fail "first property not filled"
firmar
shot firma-1

# 3. A second property through the navigator, then Las Lengas into it.
press "Brenvik" "Predio" # tree
press "Brenvik" btnInsertar
sleep 0.5
shot predio-nuevo
[[ $(wiro "SELECT group_concat(cod_pre) FROM (SELECT cod_pre FROM wiro_pre ORDER BY id_pre)") == "1,-1" ]] ||
  fail "no second property row (the first one did not pass its check?)"
elegir_predio "Las Lengas"
shot predio-2
firmar
[[ $(wiro "SELECT group_concat(nom_pre, '|') FROM (SELECT nom_pre FROM wiro_pre ORDER BY id_pre)") == "Los Robles|Las Lengas" ]] ||
  fail "the second property replaced the first"
[[ $(wiro "SELECT count(*) FROM wiro_pro p JOIN wiro_pre r ON r.id_pre = p.id_pre WHERE r.nom_pre = 'Los Robles'") == 1 ]] ||
  fail "the first property lost its owner"

# 4. Save: the register keeps both properties under their own codes, nothing added.
save_document
holds wiro 1 "nom_prj=PROYECTO CAUTIN" "pro_prj=FORESTAL LOS ROBLES"
holds wiro_pre "nom_pre = 'Los Robles'" cod_pre=1 ciu=TEMUCO fir=9876543
holds wiro_pre "nom_pre = 'Las Lengas'" cod_pre=2 ciu=TEMUCO fir=12345678
[[ $(sqlite3 "$db" "SELECT group_concat(pred_codigo || ':' || pred_nombre) FROM (SELECT * FROM predio ORDER BY pred_codigo)") == "1:Los Robles,2:Las Lengas" ]] ||
  fail "the register does not hold both properties under their codes"
[[ $(sqlite3 "$db" "SELECT count(*) FROM rol WHERE pred_codigo = 1") == 1 ]] || fail "the first property's rolls were touched"

# 5. Close, Open, Preview and the exchange file twice.
close_document
reopen_document
press "Brenvik" "Predio" # tree
shot reabierto
[[ $(wiro "SELECT count(*) FROM wiro_pre") == 2 ]] || fail "properties lost on reopening"
preview_document
export_document
[[ $(grep -c '^    <PREDIO>' "$intercambio") == 2 ]] || fail "the exchange file does not hold one PREDIO per property"
[[ $(grep -c '^<FORMULARIO>' "$intercambio") == 1 ]] || fail "the exchange file holds more than one FORMULARIO"
exchange_has FORMULARIO.LUGAR TEMUCO 1
exchange_has FIRMA.RUT 9876543 1 # the request's one signatory
exchange_has FIRMA.CIUDAD TEMUCO 1
export_again_same_bytes

exit_program
echo "Wiro person-like run passed; screenshots in $shots"
