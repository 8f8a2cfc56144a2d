#!/bin/bash
# A person-like run of the windbreak soil-recognition study under Xvfb, driven with
# xdotool, with a screenshot after each step. It proves that the DORVO request's property,
# date, city and signatory, the degradation, two sectors, two curtains of sector 1 (each
# making its rows when posted), the species, plant and spacing of a row and a protection
# measure are kept in their own columns; that lowering the first curtain to two rows keeps
# what its first row holds; that deleting the second curtain after Yes takes its rows;
# that deleting sector 1, which a curtain names, is refused with the message saying so;
# and that Save, Close and Open keep the study and the exchange file carries the curtain,
# its rows, the measure and the request by value, with the same bytes twice. Controls are
# reached by name and keyboard, never by position; CI runs it.
#
# Usage: plugins/annexes/ilva/tests/xvfb_ilva.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

study() { working ilva_car "$1"; }

# Sector $2 typed in row $1 of the sectors grid, each list's first entry chosen.
sector() {
  type_into "Brenvik" dbgILVA_uso "$1" "Nº Sector" "$2"; xdotool key Return
  xdotool type --delay 40 "$(sqlite3 "$db" "SELECT att_descripcion FROM atributotipo WHERE att_tipo=6 LIMIT 1")"
  xdotool key Return Return
  xdotool type --delay 40 "$(sqlite3 "$db" "SELECT att_descripcion FROM atributotipo WHERE att_tipo=12 LIMIT 1")"
  xdotool key Return Return
  xdotool type --delay 40 "$(sqlite3 "$db" "SELECT clas_descripcion FROM clase WHERE clas_codigo > 0 LIMIT 1")"
  xdotool key Return Return Return # the last column posts the row
  sleep 0.5
}

# Curtain $3 of sector $2 with $4 rows typed in row $1 of the curtains grid, a new row
# appended with Down after the last one when it is not the first.
curtain() {
  if [[ $1 != 0 ]]; then
    press "Brenvik" dbgILVA_car $(($1 - 1)) "Año de Plantación"
    xdotool key Down
    sleep 0.5
  fi
  type_into "Brenvik" dbgILVA_car "$1" "Nº Sector" "$2"; xdotool key Return
  for v in "$3" 10 "0,8" "$4" 3 2025; do
    xdotool type --delay 40 "$v"; xdotool key Return
  done
  sleep 0.5
}

register_property
start_with_consultant
new_plantation_plan "Reconocimiento de Suelos para Cortinas Cortavientos"
choose_property

# 1. The degradation of the soil.
press "Brenvik" "Estado de degradación o peligro de erosión del suelo a proteger" # tree
type_into "Brenvik" mem_est_deg "Erosion eolica en lomajes arenosos"
shot degradacion

# 2. Two sectors.
press "Brenvik" "Uso actual de los terrenos a reconocer" # tree
sector 0 1
sector 1 2
xdotool key Escape
shot sectores
prints "1,2" working ilva_uso "SELECT group_concat(num_sect) FROM ilva_uso" || fail "sectors not saved"

# 3. Two curtains of sector 1: three rows and two rows, made when each is posted.
press "Brenvik" "Características de las cortinas cortavientos a establecer" # tree
curtain 0 1 1 3
shot cortina-1
curtain 1 1 2 2
shot cortinas
prints "1/1/3,1/2/2" study "SELECT group_concat(num_sect || '/' || num_cort || '/' || num_hil) FROM ilva_car" \
  || fail "curtains not saved"
prints "1,2,3" study "SELECT group_concat(hil) FROM ilva_car_det WHERE Id_car = 1" || fail "no rows for curtain 1"
prints 2 study "SELECT count(*) FROM ilva_car_det WHERE Id_car = 2" || fail "no rows for curtain 2"

# 4. The first row of curtain 1: its species, plant and spacing.
press "Brenvik" dbgILVA_car 0 "Cortina Nº"
press "Brenvik" dbgILVA_car_det 0 "Especie(s)" # its "..." shows in the current cell
press "Brenvik" dbgILVA_car_det 0 "Especie(s)" boton
focus_window "Selecci" || fail "no multi-selection window"
shot especies
xdotool key space Return; sleep 0.5 # tick the first species; Aceptar
press "Brenvik" dbgILVA_car_det 0 "Tipo de planta"
xdotool type --delay 40 "$(sqlite3 "$db" "SELECT tipo_descripcion FROM tipo WHERE titi_codigo=3 LIMIT 1")"
xdotool key Return Return
xdotool type --delay 40 "2,5"; xdotool key Return
press "Brenvik" dbgILVA_car 1 "Cortina Nº" # leaving the rows posts the row
shot hilera
prints 1 study "SELECT count(esp) FROM ilva_car_det WHERE Id_car = 1 AND hil = 1" || fail "the row's species not saved"

# 5. Curtain 1 lowered to two rows: the first keeps its species.
press "Brenvik" dbgILVA_car 0 "Nº de hileras"
xdotool key ctrl+a; xdotool type --delay 40 "2"; xdotool key Return
press "Brenvik" dbgILVA_car 1 "Cortina Nº" # leaving the row posts it
sleep 0.5
shot menos-hileras
prints "1,2" study "SELECT group_concat(hil) FROM ilva_car_det WHERE Id_car = 1" || fail "curtain 1 does not have two rows"
prints 1 study "SELECT count(esp) FROM ilva_car_det WHERE Id_car = 1 AND hil = 1" || fail "the first row lost its species"

# 6. Curtain 2 goes with its rows.
press "Brenvik" dbgILVA_car 1 "Cortina Nº"
xdotool key ctrl+Delete
focus_window "Confirmaci" || fail "no question before deleting curtain 2"
press "Confirmaci" "Sí"
focus_main
sleep 0.5
shot cortina-borrada
prints 1 study "SELECT count(*) FROM ilva_car" || fail "curtain 2 not deleted"
prints 0 study "SELECT count(*) FROM ilva_car_det WHERE Id_car = 2" || fail "the rows of curtain 2 were left behind"

# 7. Sector 1 cannot go: its curtain names it.
press "Brenvik" "Uso actual de los terrenos a reconocer" # tree
press "Brenvik" dbgILVA_uso 0 "Nº Sector"
xdotool key ctrl+Delete
message_says "" "Este registro no se puede borrar, por que posee registros asociados"
shot sector-rechazado
press "" "Aceptar"
focus_main
prints 2 working ilva_uso "SELECT count(*) FROM ilva_uso" || fail "sector 1 was deleted"

# 8. A protection measure.
press "Brenvik" "Medidas de protección" # tree
type_into "Brenvik" mem_mepr_sue "Labranza minima"
shot medidas

# 9. Save, Close and Open again: the study comes back whole.
save_document
holds ilva 1 "est_deg=EROSION EOLICA EN LOMAJES ARENOSOS" "mepr_sue=LABRANZA MINIMA"
close_document
reopen_document
press "Brenvik" "Características de las cortinas cortavientos a establecer" # tree
shot reabierto
prints 2 study "SELECT count(*) FROM ilva_car_det" || fail "rows lost on reopening"
prints "10.0" study "SELECT sup_afe FROM ilva" || fail "protected surface not saved"

# 10. Preview, and the exchange file twice: the same bytes.
preview_document
export_document
grep -q "<ACTIVIDAD.TIPO_ACTIVIDAD>100</" "$intercambio" || fail "the exchange file holds no curtain"
grep -q "<HILERA.NUM_HILERA>2</" "$intercambio" || fail "the curtain's rows are not in the exchange file"
exchange_has MEDIDA_PROTECCION.DESCRIPCION "LABRANZA MINIMA"
export_again_same_bytes

exit_program
echo "Ilva person-like run passed; screenshots in $shots"
