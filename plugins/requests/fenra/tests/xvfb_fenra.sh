#!/bin/bash
# A person-like run of the free-transit guide under Xvfb, driven with xdotool, with a
# screenshot after each step. It proves that the origin and the destination chosen in the
# property register (after the page's question) stay apart, each under its own code; that
# the request's date, city and signatory, a product (whose volume the unit gives), the
# vehicle and the driver are each kept in their own columns, the origin's inscription
# untouched; that Save keeps both properties in the register under their codes and that
# Close, Open and Save again neither ask again nor add properties; and that the exchange
# file carries the origin's inscription (not the date), the destination, the product and
# the driver by value, with the same bytes twice. Controls are reached by name and keyboard,
# never by position; CI runs it.
#
# Usage: plugins/requests/fenra/tests/xvfb_fenra.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

# Los Robles (code 1) and a second property, Las Lengas (code 2), each with a reference
# point and an inscription, as the guide's check wants them.
register_property
fill_main_db <<'SQL'
INSERT INTO predio (pred_nombre, pred_superficie, pred_ubicacion, pred_comuna, pred_provincia, pred_region)
VALUES ('Las Lengas', 40, 'Ruta 215 km 30', '09101', '091', '09');
INSERT INTO persona (pers_rut, pers_dv, pers_paterno, pers_materno, pers_nombre, pers_direccion, pers_comuna,
                     pers_ciudad, pers_telefono, pers_sexo, pers_es_propietario)
VALUES (12345678, '5', 'Soto', 'Vera', 'Rosa', 'Las Lengas s/n', '09101', 'Temuco', '', 2, 1);
INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (2, 2);
INSERT INTO rol (rol_numero, pred_codigo, rol_comuna) VALUES ('200-1', 2, '09101');
INSERT INTO coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este) VALUES (1, 'Portón', 5700000, 700000);
INSERT INTO coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este) VALUES (2, 'Aserradero', 5710000, 710000);
INSERT INTO conservador (pred_codigo, cons_fojas, cons_numero, cons_conservador, cons_agno) VALUES (1, '12', 3, 'Temuco', 1999);
INSERT INTO conservador (pred_codigo, cons_fojas, cons_numero, cons_conservador, cons_agno) VALUES (2, '44', 5, 'Temuco', 2004);
SQL
start_with_consultant
new_plantation_plan "Guía de Libre Tránsito Alerce Muerto"

guia() { working fenra "$1"; }

# 1. The origin: Los Robles, from the register.
pick_register_property "Los Robles" btnLlenarPredio "Información de Predio Origen"
shot origen
prints "1|Los Robles" guia "SELECT cod_pre || '|' || nom_pre FROM fenra" || fail "origin not filled"

# 2. The destination: Las Lengas, after the page's question.
press "Brenvik" "Información de Predio Destino" # tree
press "Brenvik" btnLlenarPredio2
focus_window "Advertencia" || fail "no question before the destination is filled"
press "Advertencia" "Sí"
window "Base de Datos de Predios" >/dev/null
press "Base de Datos de Predios" "Las Lengas"
press "Base de Datos de Predios" btnSeleccionar
sleep 1
shot destino
prints "2|Las Lengas|1" guia "SELECT cod_pre2 || '|' || nom_pre2 || '|' || cod_pre FROM fenra" || fail "destination not filled apart"
prints 1 guia "SELECT count(*) FROM fenra_pro2" || fail "destination owner missing"

# 3. Date, city and signatory of the request.
press "Brenvik" "Información de Predio Origen" # tree
fill_request "10-12-2026" "Temuco"
shot solicitud

# 4. Products, vehicle and driver.
press "Brenvik" "Productos a transportar" # tree
type_into "Brenvik" dbgFENRA_prod_trans 0 "Origen" "Cancha 1"; xdotool key Return
xdotool type --delay 30 "Postes"; xdotool key Return Return
xdotool type "10"; xdotool key Return
xdotool type "2,5"; xdotool key Return
xdotool type --delay 30 "Unidad"; xdotool key Return Return
xdotool key Down Up # posts the row
sleep 0.5
shot producto
holds fenra_prod_trans 1 "origen=CANCHA 1" tipo_prod=5 nro_piezas=10 cant=2.5 unme_codigo=5 volumen=0,12
press "Brenvik" dbcb_tran_tipo
xdotool key Down Return
type_into "Brenvik" dbe_tran_patente "ABCD12"
for campo in "dbe_cond_nom Pedro" "dbe_cond_pat Rivas" "dbe_cond_mat Mora" "dbe_cond_rut 7654321" "dbe_cond_dv 6" \
  "dbe_cond_dom Los Aromos 5" "dbe_cond_ciu Temuco"; do
  type_into "Brenvik" "${campo%% *}" "${campo#* }"
done
xdotool key Tab
shot transporte

# 5. Save: both properties in the register, each under its own code.
save_document
holds fenra 1 cod_pre=1 cod_pre2=2 cond_nom=PEDRO cond_pat=RIVAS cond_mat=MORA cond_rut=7654321 cond_dv=6 \
  "cond_dom=LOS AROMOS 5" cond_ciu=TEMUCO
prints "1:Los Robles,2:Las Lengas" sqlite3 "$db" "SELECT group_concat(pred_codigo || ':' || pred_nombre) FROM (SELECT * FROM predio ORDER BY pred_codigo)" ||
  fail "the register does not hold both properties under their codes"
prints 1 sqlite3 "$db" "SELECT count(*) FROM coordenada WHERE pred_codigo = 2 AND coor_punto_referencia = 'Aserradero'" ||
  fail "the destination's point is not under its code"

# 6. Close, Open and Save again: the same two properties, updated.
close_document
# The document is indexed under its origin, the document's property.
focus_main
xdotool key ctrl+a
window "Formularios" >/dev/null
press "Formularios" "Los Robles"
sleep 0.5
shot indice
press "Formularios" "Abrir"
window "Brenvik - .* - \\[Formulario" >/dev/null || fail "document not reopened"
press "Brenvik" "Productos a transportar" # tree
shot reabierto
prints "2|0,12" guia "SELECT cod_pre2 || '|' || volumen FROM fenra, fenra_prod_trans" || fail "guide lost on reopening"
focus_main
xdotool key ctrl+g
sleep 2
window_appears "Confirmaci" 2 && fail "a reopened guide asks about its properties again"
prints "1,2" sqlite3 "$db" "SELECT group_concat(pred_codigo) FROM (SELECT pred_codigo FROM predio ORDER BY pred_codigo)" ||
  fail "saving again added properties"
shot guardado-otra-vez

# 7. Preview, and the exchange file twice: nothing changed, so the same bytes.
preview_document
export_document
exchange_has PREDIO.ALERCE_DESTINO 1
exchange_has PRODUCTO.VOLUMEN 0,12
exchange_has CONDUCTOR.COND_RUT 7654321
exchange_has CONSERVADOR.CONS_FOJAS 12
exchange_has CONSERVADOR.CONS_FOJAS "$fecha" 0
export_again_same_bytes

exit_program
echo "Fenra person-like run passed; screenshots in $shots"
