#!/bin/bash
# A person-like run of a native-forest management plan under Xvfb, driven with xdotool,
# with a screenshot after the main steps. It proves that the request's property (from the
# register), date, city and signatory, two stands, a climatic variable, protected flora and
# fauna, a forest fire, a restriction of stand 1, its dominant species, an objective with
# its stands ticked and an activity are kept in their own columns; that a stand renamed
# carries its rows in every per-stand table along and, deleted after Yes, leaves none;
# that the exchange file is refused while the restricted stand has no prescription, saying
# so, writing nothing and leading to the prescriptions' page; and that after the
# prescription is typed, Save, Close and Open keep the plan whole and the exchange file
# carries the stand, the thinning, the prescription and the request by value, with the
# same bytes twice. Controls are reached by name and keyboard, never by position; CI runs it.
#
# Usage: plugins/plans/dalu/tests/xvfb_dalu.sh [build dir (build)] [screenshot dir (xvfb-shots)]
# Needs xvfb-run, xdotool, ImageMagick (import) and sqlite3.
set -euo pipefail

source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

# A query on the plan's working database.
plan() { working dalu "$1"; }
# Whether query $1 on the plan gives $2 within 5 seconds: the program may still be
# working through the keys typed before.
da() {
  local i v
  for i in $(seq 25); do
    v=$(plan "$1" 2>/dev/null) || v=""
    [[ $v == "$2" ]] && return 0
    sleep 0.2
  done
  echo "$1: '$v', not '$2'" >&2
  return 1
}
# Types each argument into the current grid cell and moves on with Enter; a coded
# column's description ("=...") is sought in its list, Enter takes it and the next moves on.
celdas() {
  local v
  # (The pointer goes out of the way, onto the blank foot of the navigation tree: a list
  # that drops down under it would take the entry it hovers instead of the typed one.)
  xdotool mousemove 300 750
  for v in "$@"; do
    if [[ $v == =* ]]; then
      xdotool type --delay 15 "${v#=}"; sleep 0.2; xdotool key Return Return
    else
      xdotool type --delay 15 "$v"; xdotool key Return
    fi
  done
}
# A query of how many rows of the stand and of its per-stand tables hold stand $1.
filas_del_rodal() {
  local t sql=""
  for t in dalu_car dalu_res_inv dalu_res_gral dalu_fis dalu_tab_rod dalu_des_cua dalu_res_mue dalu_car_reg \
    dalu_rest dalu_inventario; do
    sql+="${sql:+ + }(SELECT count(*) FROM $t WHERE num = '$1')"
  done
  echo "SELECT $sql"
}

register_property
start_with_consultant

# 1. New: the native-forest plan with its request form, for the registered property.
new_plantation_plan "Plan de Manejo Bosque Nativo"
choose_property

# 2. Two stands: each brings its rows in the per-stand tables.
press "Brenvik" "Caracterización del Sitio Forestal" # tree
press "Brenvik" dbgDALU_car 0 "Nº Rodal"
celdas 1 "12,5" =Norte 420 15 30 "=Clase VI" =Collipulli "Franco arcilloso"
celdas 2 "7,25" =Este 510 20 35 "=Clase VII" =Metrenco "Franco limoso"
xdotool key Escape # the empty row appended after the second goes
shot rodales
da "SELECT group_concat(num) FROM dalu_car" "1,2" || fail "stands not saved"
holds dalu_car "num = '1'" sup=12.5 altitud=420 pen_pre=15.0 pen_max=30.0 '"for"=Franco arcilloso'
holds dalu_car "num = '2'" sup=7.25 altitud=510 pen_pre=20.0 pen_max=35.0 '"for"=Franco limoso'
da "$(filas_del_rodal 2)" 10 || fail "no per-stand rows for stand 2"

# 3. Stand 2 renamed 3: its rows everywhere follow. Then deleted: none is left.
press "Brenvik" dbgDALU_car 1 "Nº Rodal"
xdotool key ctrl+a; xdotool type "3"; xdotool key Return
press "Brenvik" dbgDALU_car 0 "Nº Rodal" # leaving the row posts it
focus_window "Confirmaci" || fail "no question before renaming the stand"
press "Confirmaci" "Sí"
focus_main
da "SELECT ($(filas_del_rodal 2 | cut -c8-)) || '|' || ($(filas_del_rodal 3 | cut -c8-))" "0|10" || fail "stand 2 not renamed everywhere"
press "Brenvik" dbgDALU_car 1 "Nº Rodal"
sleep 0.5 # the cell's editor opens
xdotool key ctrl+Delete
focus_window "Confirmaci" || fail "no question before deleting the stand"
shot borrar-rodal
press "Confirmaci" "Sí"
focus_main
da "$(filas_del_rodal 3)" 0 || fail "rows of the deleted stand left"

# 4. A climatic variable: its unit comes with it, and its source row.
press "Brenvik" "Clima" # tree
press "Brenvik" dbgDALU_var_cli 0 "Variable"
celdas "=Temperatura media anual" "11 a 13"
xdotool key Return Escape
da "SELECT count(*) FROM dalu_fte_inf WHERE var = 1" "1" || fail "no source row for the variable"

# 5. Protected flora of stand 1 (its category comes with the species) and fauna.
press "Brenvik" "Flora y Fauna con Problemas de Conservación" # tree
press "Brenvik" dbgDALU_flo 0 "Especie"
celdas =Alerce
xdotool key Return # its category came with it
press "Brenvik" dbgDALU_flo 0 "Rodales en los que se ubica" boton
focus_window "Selecci" || fail "no multi-selection window"
xdotool key space Return; sleep 0.5 # stand 1; Aceptar
press "Brenvik" dbgDALU_flo 0 "Densidad (individuos/há)"
celdas 150
xdotool key Escape
press "Brenvik" dbgDALU_fau 0 "Especie"
celdas =Campephilus
xdotool key Return Escape
shot flora-fauna
holds dalu_flo 1 esp=110 cat=1 rod=1 den=150.0
da "SELECT count(*) FROM dalu_fau" "1" || fail "fauna not saved"

# 6. A forest fire.
press "Brenvik" "Antecedentes sobre Incendios Forestales" # tree
press "Brenvik" dbgDALU_ocu_inc 0 "Lugar afectado"
celdas "Quebrada honda" "2,5" 2019 "Quema de desechos" =Accidental
xdotool key Escape
holds dalu_ocu_inc 1 "lug=QUEBRADA HONDA" sup=2.5 ano=2019 "causa=QUEMA DE DESECHOS" origen=2

# 7. A topographic restriction on stand 1.
press "Brenvik" "Restricciones según Variables del Medio Natural" # tree
press "Brenvik" dbgDALU_rest 0 "Restricciones|Sitio|Topografía"
celdas =Moderado
xdotool key Return Return Return Return Return Escape # the last column posts the row
shot restriccion
da "SELECT topo FROM dalu_rest WHERE num = '1'" "2" || fail "restriction not saved"

# 8. Stand 1's dominant species, needed by its objective's activities.
press "Brenvik" "Descripción Cualitativa" # tree
press "Brenvik" dbgDALU_des_cua 0 "Tipo Forestal"
celdas "=Roble - Hualo"
press "Brenvik" dbgDALU_des_cua 0 "Especies Dominantes" boton
focus_window "Selecci" || fail "no multi-selection window"
xdotool key space Return; sleep 0.5 # the first native species; Aceptar
press "Brenvik" dbgDALU_des_cua 0 "Estructura"
celdas =Coetánea =Regeneración =Bueno
xdotool key Escape
da "SELECT esp_dom <> '' FROM dalu_des_cua WHERE num = '1'" 1 || fail "dominant species not saved"

# 9. An objective: naming it asks for its stands; its surface is theirs.
press "Brenvik" "OBJETIVOS DE MANEJO" # tree
type_into "Brenvik" dbgDALU_obj 0 "Objetivos de Manejo" "Produccion de madera"; xdotool key Return
focus_window "Selecci" || fail "no multi-selection window"
xdotool key space Return; sleep 0.5 # stand 1; Aceptar
press "Brenvik" dbgDALU_obj 0 "Estructura Deseada"
celdas "Irregular"
xdotool key Return Escape
shot objetivo
da "SELECT num || '|' || sup FROM dalu_obj" "1|12.5" || fail "objective not saved with its surface"

# 10. An activity of the objective: its parameter row appears among the intermediate cuts.
press "Brenvik" "Criterios y Descripción del Tratamiento Silvícola" # tree
press "Brenvik" dbgDALU_desc_det 0 "Actividad Silvícola"
celdas "=Primer raleo" "Año 2027"
xdotool key Escape
da "SELECT count(*) FROM dalu_cor_int" "1" || fail "no parameter row for the activity"
press "Brenvik" "Parámetros de Corta Intermedia y Poda" # tree
shot parametros

# 11. The exchange file is refused: the restricted stand has no prescription yet, and the
# form-wide check leads to its page, where the prescription is typed. Then Save.
menu a archGuardarXML
message_says "Advertencia" "Hay rodales que tienen restricciones ambientales definidas, pero"
shot falta-prescripcion
xdotool key Return
message_says "Error" "No se puede generar un archivo de intercambio con un formulario incompleto"
xdotool key Return
sleep 0.5
[[ -z $(ls "$HOME/Documents/Formularios/Archivos Intercambio Okran/"*.xml 2>/dev/null) ]] || fail "the refused exchange file was written"
focus_main
where "Brenvik" mem_pres >/dev/null || fail "not led to the prescriptions' page"
shot pagina-prescripciones
type_into "Brenvik" mem_pres "Raleo por lo bajo con faja de proteccion"
save_document
da "SELECT count(*) FROM dalu_prescripcion" "1" || fail "prescription not saved"
da "SELECT sup_afe FROM dalu" "12.5" || fail "affected surface not the remaining stand's"

# 12. Close and Open again: the plan comes back whole.
close_document
reopen_document
press "Brenvik" "OBJETIVOS DE MANEJO" # tree
shot reabierto
da "SELECT num || '|' || sup FROM dalu_obj" "1|12.5" || fail "objective lost on reopening"
da "SELECT count(*) FROM dalu_cor_int" "1" || fail "parameter row lost on reopening"
da "SELECT (SELECT count(*) FROM dalu_flo) || '|' || (SELECT count(*) FROM dalu_ocu_inc)" "1|1" || fail "flora or fire lost on reopening"
da "SELECT count(*) FROM dalu_prescripcion" "1" || fail "prescription lost on reopening"

# 13. Preview, and the exchange file twice: nothing changed, so the same bytes, holding the
# stand, the objective's thinning (written as the intermediate cut it is) and its
# prescription.
preview_document
export_document
exchange_has RODAL.NUMERO 1 1
exchange_has ACTIVIDAD.ACSO_NUMERO 1
exchange_has ACTIVIDAD.PRESCRIPCION "RALEO POR LO BAJO CON FAJA DE PROTECCION"
grep -q "<ESTUDIO_PRENDIMIENTO>" "$intercambio" || fail "the exchange file lacks its ESTUDIO_PRENDIMIENTO"
export_again_same_bytes

exit_program
echo "person-like run passed; screenshots in $shots"
