#!/bin/bash
# A person-like run of a plantation plan under Xvfb, driven with xdotool, with a
# screenshot after each step: New (plantation plan with its request form), stands and a
# sector typed into their grid, a management unit with its stands ticked, a restriction
# and its measures, Save, Close, Open, Exit. The consultant is registered beforehand. It
# runs on a copy of the built program directory with a home of its own. Not part of CI:
# the clicks assume the default fonts of a Debian 12 machine.
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

# A query on the plan's working database (the one holding table kelu).
plan() {
  local f
  for f in "$HOME/Documents/Formularios/temporal/"*; do
    if [[ $(sqlite3 "$f" "SELECT count(*) FROM sqlite_master WHERE name = 'kelu'" 2>/dev/null) == 1 ]]; then
      sqlite3 "$f" "$1"
      return
    fi
  done
}

"$work/prog/brenvik" >"$work/brenvik.log" 2>&1 &
pid=$!

# 1. New: the plantation plan with its request form, the first of the list.
window "Brenvik - ROJAS SOTO, ANA" >/dev/null || fail "the consultant was not taken"
click "Brenvik" 400 300
xdotool key ctrl+n
window "Nuevo Formulario" >/dev/null
click "Nuevo Formulario" 86 50
shot nuevo
xdotool key Return
window "Brenvik - ROJAS SOTO, ANA - \\[Formulario" >/dev/null || fail "no document"
xdotool windowsize "$(window Brenvik)" 1270 890
shot documento

# 2. Stands.
click "Brenvik" 100 139 # tree: "Descripción de Rodales y Sectores"
click "Brenvik" 240 170 # the stands grid
xdotool type --delay 40 "1"; xdotool key Return
xdotool type --delay 40 "12,5"; xdotool key Return
xdotool type --delay 40 "1998"; xdotool key Return
click "Brenvik" 563 170 # "..." of Especie(s)
shot especies
xdotool mousemove 487 223 click 1; sleep 0.3 # tick "Pino radiata"
xdotool mousemove 646 581 click 1; sleep 0.5 # Aceptar
click "Brenvik" 605 170 # Estado Sanitario: its list drops down
# A coded column: the typed description is sought in the list, Enter takes it and the
# next Enter moves on.
xdotool type --delay 40 "Bueno"; xdotool key Return Return
xdotool type --delay 40 "Clase IV"; xdotool key Return Return
xdotool key Return # the last column posts the row
shot rodal-1
xdotool type --delay 40 "2"; xdotool key Return
xdotool type --delay 40 "7,25"; xdotool key Return
xdotool type --delay 40 "2003"; xdotool key Return
click "Brenvik" 563 190 # "..." of Especie(s)
xdotool mousemove 487 237 click 1; sleep 0.3 # tick "Eucalipto"
xdotool mousemove 646 581 click 1; sleep 0.5 # Aceptar
click "Brenvik" 605 190
xdotool type --delay 40 "Regular"; xdotool key Return Return
xdotool type --delay 40 "Clase VI"; xdotool key Return Return
xdotool key Return Escape # posts the row; the empty row appended after it goes
# A forestable sector.
click "Brenvik" 240 425
xdotool type --delay 40 "A"; xdotool key Return
xdotool type --delay 40 "3"; xdotool key Return
xdotool type --delay 40 "Clase VI"; xdotool key Return Return
xdotool key Return
xdotool type --delay 40 "Matorral"; xdotool key Return Return Escape
shot rodales-y-sector
[[ $(plan "SELECT group_concat(num) FROM kelu_desc") == "1,2" ]] || fail "stands not saved"

# 3. A management unit of both stands and the sector.
click "Brenvik" 100 223 # tree: "Objetivos De Manejo"
click "Brenvik" 330 137
xdotool type --delay 30 "Produccion de madera aserrable"; xdotool key Return
click "Brenvik" 540 137 # "..." of Rodal(es) Nº
shot unidad-rodales
xdotool mousemove 487 223 click 1; sleep 0.2
xdotool mousemove 487 237 click 1; sleep 0.2
xdotool mousemove 646 581 click 1; sleep 0.5 # Aceptar
click "Brenvik" 645 137
xdotool type --delay 40 "UM-1"; xdotool key Return Return Escape
shot unidad
[[ $(plan "SELECT num || '|' || sup_tot FROM kelu_obj") == "1, 2|19.75" ]] || fail "unit not saved with its surface"

# 4. A restriction of stand 1 and the measures of its kinds.
click "Brenvik" 110 209 # tree: "Restricciones por Variables del Medio"
click "Brenvik" 290 156
xdotool type --delay 40 "1"; xdotool key Return
xdotool type --delay 40 "35"; xdotool key Return Return Return
xdotool type --delay 40 "Erosion"; xdotool key Return
xdotool type --delay 40 "Vertientes"; xdotool key Return Return Escape
shot restriccion
[[ $(plan "SELECT group_concat(tip_rest) FROM kelu_mepr") == "54,52,53" ]] || fail "measure rows not made"
click "Brenvik" 100 307 # tree: "Medidas de Protección Ambiental"
for y in 122 142 162; do
  click "Brenvik" 752 "$y"
  xdotool type --delay 20 "Medida de proteccion"; xdotool key Return
done
shot medidas
[[ $(plan "SELECT count(*) FROM kelu_mepr WHERE med_prot IS NOT NULL") == 3 ]] || fail "measures not saved"

# 5. The property's name on the request form, Save, Close and Open again: the plan
# comes back whole.
click "Brenvik" 64 97 # tree: "Predio"
click "Brenvik" 408 132
xdotool type --delay 30 "Los Robles"
xdotool key ctrl+g
window "Save As|Guardar" >/dev/null
xdotool key Return
sleep 1
archivo=$(sqlite3 "$db" "SELECT foco_archivo FROM formPredio")
[[ -n $archivo ]] || fail "no document index row"
shot guardado
click "Brenvik" 48 8
xdotool mousemove 69 139 click 1
sleep 1
shot cerrado
click "Brenvik" 400 300
xdotool key ctrl+a
window "Formularios" >/dev/null
click "Formularios" 56 412 # Abrir
window "Brenvik - ROJAS SOTO, ANA - \\[Formulario" >/dev/null || fail "document not reopened"
click "Brenvik" 100 223 # tree: "Objetivos De Manejo"
shot reabierto
[[ $(plan "SELECT num || '|' || sup_tot FROM kelu_obj") == "1, 2|19.75" ]] || fail "unit lost on reopening"
[[ $(plan "SELECT count(*) FROM kelu_mepr WHERE med_prot IS NOT NULL") == 3 ]] || fail "measures lost on reopening"

# 6. Exit without changes.
xdotool key ctrl+s
timeout 10 tail --pid="$pid" -f /dev/null || fail "the program did not end"
echo "person-like run passed; screenshots in $shots"
