#!/bin/bash
# A person-like run of a plantation plan under Xvfb (xvfb_kelu.sh types the other grids), driven with xdotool, with a screenshot
# of the screen after each step: New plantation plan, pick the property from the property
# register, fill a stand and a management unit, save, close, reopen, preview and generate the
# exchange file, whose hashes are then checked with md5sum. The property register holds one
# property with its owner, as a consultant's register would. Not part of CI: the clicks
# assume the default fonts of a Debian 12 machine.
#
# Usage: plugins/plans/kelu/tests/xvfb_kelu_intercambio.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

sqlite3 "$db" <<'SQL'
INSERT INTO predio (pred_nombre, pred_superficie, pred_superficie_sii, pred_superficie_et, pred_ubicacion,
                    pred_comuna, pred_provincia, pred_region)
VALUES ('Los Robles', 120, 118, 121, 'Camino a Cunco km 12', '09101', '091', '09');
INSERT INTO persona (pers_rut, pers_dv, pers_paterno, pers_materno, pers_nombre, pers_direccion, pers_comuna,
                     pers_ciudad, pers_telefono, pers_sexo, pers_es_propietario)
VALUES (9876543, '3', 'Pérez', 'Lagos', 'Juan', 'Los Robles s/n', '09101', 'Temuco', '452111222', 1, 1);
INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (1, 1);
INSERT INTO rol (rol_numero, pred_codigo, rol_comuna) VALUES ('123-45', 1, '09101');
SQL

start_with_consultant
new_plantation_plan

# The property, chosen in the property register from the request form's property page.
click "Brenvik" 64 97 # tree: "Predio"
click "Brenvik" 325 74 # Seleccionar Predio desde Base de Datos...
window "Base de Datos de Predios" >/dev/null
shot registro-predios
click "Base de Datos de Predios" 205 577 # Seleccionar y Cerrar
sleep 1
shot predio-elegido
[[ $(xdotool search --onlyvisible --name "^Base de Datos de Predios" 2>/dev/null) ]] && fail "the register is still open"

# A stand on the plan's first page.
click "Brenvik" 100 139 # tree: "Descripción de Rodales y Sectores"
shot rodales
# (The main window gets the whole screen, so that the grids show all their columns.)
xdotool windowsize "$(window "Brenvik")" 1280 900
sleep 0.5
click "Brenvik" 400 200 # the stands grid
xdotool type "1"; xdotool key Tab; xdotool type "10"; xdotool key Tab; xdotool type "2010"; xdotool key Tab
shot rodal-especie
xdotool key Tab; xdotool type "B"; xdotool key Return Tab; xdotool type "C"; xdotool key Return
click "Brenvik" 500 170 # the species' cell
click "Brenvik" 563 170 # and its ellipsis button
window_appears "Selecci" || fail "no multi-selection window"
shot especies
xdotool key space Return # Pino radiata
sleep 0.5
xdotool key Down Up # posts the stand
shot rodal

# A management unit with that stand.
click "Brenvik" 100 223 # tree: "Objetivos De Manejo"
shot objetivos

click "Brenvik" 400 200 # the units grid
xdotool type --delay 30 "Madera"; xdotool key Tab Tab; xdotool type --delay 30 "UM-1"
click "Brenvik" 490 137 # the stands' cell
click "Brenvik" 540 137 # and its ellipsis button
window_appears "Selecci" || fail "no multi-selection window"
shot unidad-rodales
xdotool key space Return # stand 1
sleep 0.5
xdotool key Down Up # posts the unit
shot unidad

# Save: a never-saved document asks for its file; the proposed name is taken.
xdotool key ctrl+g
window "Save As|Guardar" >/dev/null
shot guardar-como
xdotool key Return
sleep 1.5
archivo=$(sqlite3 "$db" "SELECT foco_archivo FROM formPredio")
[[ -f $archivo ]] || fail "no document file ($archivo)"
shot guardado

# Close from the Archivo menu, then Open from the document index.
click "Brenvik" 48 8 # Archivo
shot menu-archivo
xdotool mousemove 69 139 click 1 # Cerrar
sleep 1
shot cerrado
click "Brenvik" 600 500
xdotool key ctrl+a
window "Formularios" >/dev/null
shot indice
click "Formularios" 56 412 # Abrir
window "Brenvik - ANA ROJAS SOTO - \\[Formulario" >/dev/null || fail "document not reopened"
click "Brenvik" 100 223 # tree: "Objetivos De Manejo"
shot reabierto

# Preview.
click "Brenvik" 48 8 # Archivo
shot menu-archivo-vista
xdotool key Up Up Return # Vista Preliminar, above Salir
window_appears "Vista" 15 || fail "no preview"
shot vista-preliminar
xdotool key Escape
sleep 1
shot vista-cerrada

# The exchange file: the proposed name is taken, and no printout wanted.
click "Brenvik" 48 8 # Archivo
xdotool mousemove 120 117 click 1 # Generar archivo intercambio para Okran
window_appears "Save|Guardar|Generar" 15 || fail "no exchange file dialog"
shot intercambio-dialogo
xdotool key Return
sleep 2
shot intercambio-imprimir
xdotool key Escape
sleep 1
shot intercambio
xml=$(ls "$HOME/Documents/Formularios/Archivos Intercambio Okran/"*.xml 2>/dev/null | head -1)
[[ -f $xml ]] || fail "no exchange file"

# The hashes, checked with md5sum: each form's hash is the MD5 of its body, H the MD5 of the
# joined hashes; the bodies follow the fifth line, each one top-level element that ends
# with its unindented closing line.
partes=$work/partes
mkdir -p "$partes"
python3 - "$xml" "$partes" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
lines = data.split(b'\r\n', 5)
open(sys.argv[2] + '/cabecera', 'wb').write(lines[3])
body, n = b'', 0
for line in lines[5].split(b'\r\n')[:-1]:
    body += line + b'\r\n'
    if line.startswith(b'</'):
        open('%s/cuerpo%02d' % (sys.argv[2], n), 'wb').write(body)
        body, n = b'', n + 1
PY
hashes=""
for cuerpo in "$partes"/cuerpo*; do
  hashes+=$(md5sum "$cuerpo" | cut -c1-32 | tr a-f A-F)
done
h=$(printf '%s' "$hashes" | md5sum | cut -c1-32 | tr a-f A-F)
linea=$(cat "$partes/cabecera")
echo "integrity line: $linea"
[[ $linea == "#@1|$h|"* ]] || fail "the integrity line does not hold H=$h"
[[ $(sqlite3 "$db" "SELECT foco_estado || '|' || foco_hashXml FROM formPredio") == "1|$h" ]] || fail "document index not updated"

exit_program
echo "Kelu person-like run passed; screenshots in $shots"
