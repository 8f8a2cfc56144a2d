#!/bin/bash
# A person-like run of a native-forest management plan under Xvfb, driven with xdotool,
# with a screenshot after each step: New (native-forest plan with its request form), two
# stands typed into their grid, a climatic variable, the dominant species of a stand, an
# objective with its stands ticked, an activity whose parameter row appears, the
# property's name on the request form, Save, Close, Open, Exit. Controls are reached by name and keyboard, never by
# position; CI runs it.
#
# Usage: plugins/plans/dalu/tests/xvfb_dalu.sh [build dir (build)] [screenshot dir (xvfb-shots)]
# Needs xvfb-run, xdotool, ImageMagick (import) and sqlite3.
set -euo pipefail

source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

# A query on the plan's working database (the one holding table dalu).
plan() {
  local f
  for f in "$HOME/Documents/Formularios/temporal/"*; do
    if [[ $(sqlite3 "$f" "SELECT count(*) FROM sqlite_master WHERE name = 'dalu'" 2>/dev/null) == 1 ]]; then
      sqlite3 "$f" "$1"
      return
    fi
  done
}
# Types each argument into the current grid cell and moves on with Enter; a coded
# column's description is sought in its list, Enter takes it and the next moves on.
celdas() {
  local v
  for v in "$@"; do
    if [[ $v == =* ]]; then
      xdotool type --delay 30 "${v#=}"; xdotool key Return Return
    else
      xdotool type --delay 30 "$v"; xdotool key Return
    fi
  done
}

start_with_consultant

# 1. New: the native-forest plan with its request form.
focus_main
xdotool key ctrl+n
window "Nuevo Formulario" >/dev/null
press "Nuevo Formulario" "Plan de Manejo Bosque Nativo"
shot nuevo
press "Nuevo Formulario" btnAceptar
window "Brenvik - .* - \\[Formulario" >/dev/null || fail "no document"
xdotool windowsize "$(window Brenvik)" 1270 890
shot documento

# 2. Two stands: each brings its rows in the per-stand tables.
press "Brenvik" "Caracterización del Sitio Forestal" # tree
press "Brenvik" dbgDALU_car 0 "Nº Rodal"
celdas 1 "12,5" =Norte 420 15 30 "=Clase VI" =Collipulli "Franco arcilloso"
celdas 2 "7,25" =Este 510 20 35 "=Clase VII" =Metrenco "Franco limoso"
xdotool key Escape
shot rodales
[[ $(plan "SELECT group_concat(num) FROM dalu_car") == "1,2" ]] || fail "stands not saved"
[[ $(plan "SELECT count(*) FROM dalu_rest") == 2 ]] || fail "no per-stand rows"

# 3. A climatic variable: its unit comes with it, and its source row.
press "Brenvik" "Clima" # tree
press "Brenvik" dbgDALU_var_cli 0 "Variable"
celdas "=Temperatura media anual" "11 a 13"
xdotool key Return Escape
shot clima
[[ $(plan "SELECT count(*) FROM dalu_fte_inf WHERE var = 1") == 1 ]] || fail "no source row for the variable"

# 4. Stand 1's dominant species, needed by its objective's activities.
press "Brenvik" "Descripción Cualitativa" # tree
press "Brenvik" dbgDALU_des_cua 0 "Tipo Forestal"
celdas "=Roble - Hualo"
press "Brenvik" dbgDALU_des_cua 0 "Especies Dominantes" boton
window_appears "Selecci" || fail "no multi-selection window"
xdotool key space Return; sleep 0.5 # the first native species; Aceptar
press "Brenvik" dbgDALU_des_cua 0 "Estructura"
celdas =Coetánea =Regeneración =Bueno
xdotool key Escape
shot descripcion
[[ -n $(plan "SELECT esp_dom FROM dalu_des_cua WHERE num = '1'") ]] || fail "dominant species not saved"

# 5. An objective: naming it asks for its stands; its surface is theirs.
press "Brenvik" "OBJETIVOS DE MANEJO" # tree
press "Brenvik" dbgDALU_obj 0 "Objetivos de Manejo"
xdotool type --delay 30 "Produccion de madera"; xdotool key Return
window_appears "Selecci" || fail "no multi-selection window"
shot objetivo-rodales
xdotool key space Down space Return; sleep 0.5 # both stands; Aceptar
press "Brenvik" dbgDALU_obj 0 "Estructura Deseada"
celdas "Irregular"
xdotool key Return Escape
shot objetivo
[[ $(plan "SELECT num || '|' || sup FROM dalu_obj") == "1, 2|19.75" ]] || fail "objective not saved with its surface"

# 6. An activity of the objective: its parameter row appears among the intermediate cuts.
press "Brenvik" "Criterios y Descripción del Tratamiento Silvícola" # tree
press "Brenvik" dbgDALU_desc_det 0 "Actividad Silvícola"
celdas "=Primer raleo" "Año 2027"
xdotool key Escape
shot actividad
[[ $(plan "SELECT count(*) FROM dalu_cor_int") == 1 ]] || fail "no parameter row for the activity"
press "Brenvik" "Parámetros de Corta Intermedia y Poda" # tree
shot parametros

# 7. Save, Close, Open again: the plan comes back whole.
press "Brenvik" "Predio" # tree: the request form's property is named
press "Brenvik" dbe_nom_pre
xdotool type --delay 30 "Los Coigues"
save_document
close_document
reopen_document
press "Brenvik" "OBJETIVOS DE MANEJO" # tree
shot reabierto
[[ $(plan "SELECT num || '|' || sup FROM dalu_obj") == "1, 2|19.75" ]] || fail "objective lost on reopening"
[[ $(plan "SELECT count(*) FROM dalu_cor_int") == 1 ]] || fail "parameter row lost on reopening"

exit_program
echo "person-like run passed; screenshots in $shots"
