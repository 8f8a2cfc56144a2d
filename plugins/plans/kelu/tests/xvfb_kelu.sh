#!/bin/bash
# A person-like run of a plantation plan under Xvfb, driven with xdotool, with a
# screenshot after each step. It proves that two stands and a sector typed into their
# grids, a management unit with both stands ticked (its surface their total, 19,75 ha), a
# restriction (which makes a measure row per kind) and its three measures are each kept in
# their own columns and survive Save, Close and Open; and that a stand without its
# planting year is refused with the field's message, keeps Save and Exit from writing it
# and keeps the document marked modified. The consultant is registered beforehand. It runs
# on a copy of the built program directory with a home of its own. Controls are reached by
# name and keyboard, never by position; CI runs it.
#
# Usage: plugins/plans/kelu/tests/xvfb_kelu.sh [build dir (build)] [screenshot dir (xvfb-shots)]
# Needs xvfb-run, xdotool, ImageMagick (import) and sqlite3.
set -euo pipefail

source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

# The consultant, registered beforehand.
sqlite3 "$db" "INSERT INTO consultor (cons_id, cons_rut, cons_dv, cons_paterno, cons_materno,
  cons_nombre, cons_profesion, cons_sexo) VALUES (1, 12345678, '5', 'ROJAS', 'SOTO', 'ANA', '1', 2)"
mkdir -p "$HOME/.config/Varno"
printf '[General]\nConsultor_Id=1\n' >"$HOME/.config/Varno/Brenvik.conf"

# A query on the plan's working database.
plan() { working kelu "$1"; }

run_program

# 1. New: the plantation plan with its request form, the first of the list.
window "Brenvik - ROJAS SOTO, ANA" >/dev/null || fail "the consultant was not taken"
whole_screen
focus_main
xdotool key ctrl+n
window "Nuevo Formulario" >/dev/null
press "Nuevo Formulario" "Plan de Manejo Plantaciones Forestales"
shot nuevo
xdotool key Return
window "Brenvik - ROJAS SOTO, ANA - \\[Formulario" >/dev/null || fail "no document"
shot documento

# 2. Stands.
press "Brenvik" "Descripción de Rodales y Sectores" # tree
type_into "Brenvik" dbgKELU_desc 0 "Rodal Nº" "1"; xdotool key Return
xdotool type --delay 40 "12,5"; xdotool key Return
xdotool type --delay 40 "1998"; xdotool key Return
press "Brenvik" dbgKELU_desc 0 "Especie(s)" boton
focus_window "Selecci" || fail "no multi-selection window"
shot especies
xdotool key space Return; sleep 0.5 # tick "Pino radiata", the first; Aceptar
press "Brenvik" dbgKELU_desc 0 "Estado Sanitario" # its list drops down
# A coded column: the typed description is sought in the list, Enter takes it and the
# next Enter moves on.
xdotool type --delay 40 "Bueno"; xdotool key Return Return
xdotool type --delay 40 "Clase IV"; xdotool key Return Return
xdotool key Return # the last column posts the row
shot rodal-1
xdotool type --delay 40 "2"; xdotool key Return
xdotool type --delay 40 "7,25"; xdotool key Return
xdotool type --delay 40 "2003"; xdotool key Return
press "Brenvik" dbgKELU_desc 1 "Especie(s)" boton
focus_window "Selecci" || fail "no multi-selection window"
xdotool key Down space Return; sleep 0.5 # tick "Eucalipto", the second; Aceptar
type_into "Brenvik" dbgKELU_desc 1 "Estado Sanitario" "Regular"; xdotool key Return Return
xdotool type --delay 40 "Clase VI"; xdotool key Return Return
xdotool key Return Escape # posts the row; the empty row appended after it goes
# A forestable sector.
type_into "Brenvik" dbgKELU_det_sec 0 "Sector Nº" "A"; xdotool key Return
xdotool type --delay 40 "3"; xdotool key Return
xdotool type --delay 40 "Clase VI"; xdotool key Return Return
xdotool key Return
xdotool type --delay 40 "Matorral"; xdotool key Return Return Escape
shot rodales-y-sector
prints "1,2" plan "SELECT group_concat(num) FROM kelu_desc" || fail "stands not saved"
holds kelu_desc "num = '1'" sup=12.5 ano=1998
holds kelu_desc "num = '2'" sup=7.25 ano=2003
holds kelu_det_sec 1 num_sec=A sup=3.0 num_res=NULL

# 3. A management unit of both stands and the sector.
press "Brenvik" "Objetivos De Manejo" # tree
type_into "Brenvik" dbgKELU_obj 0 "Objetivo de manejo" "Produccion de madera aserrable"; xdotool key Return
press "Brenvik" dbgKELU_obj 0 "Rodal(es) Nº" boton
focus_window "Selecci" || fail "no multi-selection window"
shot unidad-rodales
xdotool key space Down space Return; sleep 0.5 # both stands; Aceptar
type_into "Brenvik" dbgKELU_obj 0 "Unidad de Manejo" "UM-1"; xdotool key Return Return Escape
shot unidad
holds kelu_obj 1 "obj=PRODUCCION DE MADERA ASERRABLE" "num=1, 2" unidad=UM-1 sup_tot=19.75

# 4. A restriction of stand 1 and the measures of its kinds.
press "Brenvik" "Restricciones por Variables del Medio" # tree
type_into "Brenvik" dbgKELU_rest_var 0 "Rodal Nº" "1"; xdotool key Return
xdotool type --delay 40 "35"; xdotool key Return Return Return
xdotool type --delay 40 "Erosion"; xdotool key Return
xdotool type --delay 40 "Vertientes"; xdotool key Return Return Escape
shot restriccion
prints "54,52,53" plan "SELECT group_concat(tip_rest) FROM kelu_mepr" || fail "measure rows not made"
press "Brenvik" "Medidas de Protección Ambiental" # tree
for fila in 0 1 2; do
  type_into "Brenvik" dbgKELU_mepr "$fila" "Medidas de Protección" "Medida de proteccion"; xdotool key Return
done
shot medidas
prints 3 plan "SELECT count(*) FROM kelu_mepr WHERE med_prot = 'MEDIDA DE PROTECCION'" || fail "measures not saved: $(plan "SELECT med_prot FROM kelu_mepr")"

# 5. The property's name on the request form, Save, Close and Open again: the plan
# comes back whole.
press "Brenvik" "Predio" # tree
type_into "Brenvik" dbe_nom_pre "Los Robles"
save_document
holds dorvo 1 "nom_pre=LOS ROBLES"
close_document
reopen_document
press "Brenvik" "Objetivos De Manejo" # tree
shot reabierto
holds kelu_obj 1 "num=1, 2" unidad=UM-1 sup_tot=19.75
prints 3 plan "SELECT count(*) FROM kelu_mepr WHERE med_prot IS NOT NULL" || fail "measures lost on reopening"

# 6. A stand without its planting year: the check refuses the row, Save writes nothing
# and keeps the document modified, and Exit's "Sí" keeps the program open. Then the row
# is dropped (Escape) and the program ends without saving.
guardado=$(md5sum <"$archivo")
press "Brenvik" "Descripción de Rodales y Sectores" # tree
press "Brenvik" dbgKELU_desc 1 "Rodal Nº"
xdotool key Down # appends a row
xdotool type --delay 40 "3"; xdotool key Return
xdotool type --delay 40 "4"; xdotool key Return
xdotool key ctrl+g
message_says "Advertencia" "no puede quedar vacío"
shot fila-rechazada
xdotool key Return
sleep 0.5
[[ $(md5sum <"$archivo") == "$guardado" ]] || fail "the refused stand was saved"
xdotool search --onlyvisible --name '^Brenvik.*\*\]' >/dev/null || fail "the document is no longer marked modified"
prints 2 plan "SELECT count(*) FROM kelu_desc" || fail "the refused stand was posted"
focus_main
xdotool key ctrl+s
focus_window "Confirmaci" || fail "no close question"
press "Confirmaci" "Sí"
message_says "Advertencia" "no puede quedar vacío"
xdotool key Return
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended with a refused stand"
[[ $(md5sum <"$archivo") == "$guardado" ]] || fail "the refused stand was saved on exit"
shot salida-cancelada
focus_main
xdotool key Escape # drops the new row

# 7. Exit without saving.
focus_main
xdotool key ctrl+s
if focus_window "Confirmaci" 3; then
  press "Confirmaci" "No"
fi
timeout 10 tail --pid="$pid" -f /dev/null || fail "the program did not end"
echo "person-like run passed; screenshots in $shots"
