#!/bin/bash
# A person-like run of the land-release request under Xvfb, driven with xdotool, with a
# screenshot after each step. It proves that the DORVO request's property, date, city and
# signatory, two sectors, a bonus of sector 1 and a justification of each are kept in their
# own columns; that the exchange file's released surface is both sectors' total (5,5 + 3);
# that deleting sector 1, which its bonus names, is refused with the message saying so,
# while deleting sector 2 after Yes takes its justification along; and that after Save,
# Close and Open the exchange file carries the remaining surface, the cause and the
# request by value, with the same bytes twice. Controls are reached by name and keyboard,
# never by position; CI runs it.
#
# Usage: plugins/annexes/eska/tests/xvfb_eska.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

request() { working eska_ant_des "$1"; }

# Sector $2 releasing $3 ha typed in row $1 of the sectors grid.
sector() {
  type_into "Brenvik" dbgESKA_ant_des "$1" "Nº Sector a Desafectar" "$2"; xdotool key Return
  xdotool type --delay 40 "20"; xdotool key Return
  xdotool type --delay 40 "$3"; xdotool key Return
  xdotool type --delay 40 "Clase IV"; xdotool key Return Return
  xdotool type --delay 40 "$4"; xdotool key Return Return
  xdotool type --delay 40 "$5"; xdotool key Return Return
  sleep 0.5
}

# The justification "$2" of sector $3 typed in row $1.
justification() {
  type_into "Brenvik" dbgESKA_jus "$1" "Nº Sector a Desafectar" "$3"; xdotool key Return
  xdotool type --delay 30 "$2"; xdotool key Return Return
  sleep 0.5
}

register_property
start_with_consultant
new_plantation_plan "Desafectación de Terrenos de Aptitud Preferentemente Forestal"
choose_property
fecha_xml=10/12/2026 # the accreditation head writes the request's date so

# 1. Two sectors.
press "Brenvik" "Antecedentes de los terrenos a desafectar" # tree
sector 0 1 "5,5" "$(sqlite3 "$db" "SELECT tipo_descripcion FROM tipo WHERE titi_codigo=8 AND tipo_suelo_eska LIMIT 1")" \
  "$(sqlite3 "$db" "SELECT att_descripcion FROM atributotipo WHERE att_tipo=6 LIMIT 1")"
sector 1 2 "3" "$(sqlite3 "$db" "SELECT tipo_descripcion FROM tipo WHERE titi_codigo=8 AND tipo_suelo_eska LIMIT 1")" \
  "$(sqlite3 "$db" "SELECT att_descripcion FROM atributotipo WHERE att_tipo=6 LIMIT 1")"
xdotool key Escape
shot sectores
holds eska_ant_des "num_sect = '1'" sup_cal=20.0 sup_des=5.5
holds eska_ant_des "num_sect = '2'" sup_cal=20.0 sup_des=3.0

# 2. A bonus of sector 1.
press "Brenvik" "Antecedentes de las bonificaciones" # tree
type_into "Brenvik" dbgESKA_ant_bon 0 "Nº Sector a Desafectar" "1"; xdotool key Return
xdotool type --delay 40 "$(sqlite3 "$db" "SELECT tibo_descripcion FROM tipobon LIMIT 1")"; xdotool key Return Return
for v in R-118 12-03-2019 "3,5" 450000; do
  xdotool type --delay 40 "$v"; xdotool key Return
done
sleep 0.5
xdotool key Escape
shot bonificacion
holds eska_ant_bon 1 num_sect=1 num_res=R-118 "substr(fec, 1, 10)=2019-03-12" sup=3.5 mon=450000

# 3. A justification of each sector.
press "Brenvik" "Justificación de la desafectación" # tree
justification 0 "Ampliacion de cultivos" 1
justification 1 "Construccion de bodegas" 2
xdotool key Escape
shot justificaciones
holds eska_jus "num_sect = '1'" "cau=AMPLIACION DE CULTIVOS"
holds eska_jus "num_sect = '2'" "cau=CONSTRUCCION DE BODEGAS"

# Saved and exported with both sectors: the released surface is their total.
save_document
export_document
exchange_has FORMULARIO.SOLI_SUP_SOLICITADA 8,5 2

# 4. Sector 1 cannot go (its bonus names it); sector 2 goes with its justification.
press "Brenvik" "Antecedentes de los terrenos a desafectar" # tree
press "Brenvik" dbgESKA_ant_des 0 "Nº Sector a Desafectar"
xdotool key ctrl+Delete
message_says "" "Este registro no se puede borrar, por que posee registros asociados"
shot borrar-rechazado
press "" "Aceptar"
focus_main
prints 2 request "SELECT count(*) FROM eska_ant_des" || fail "sector 1 was deleted"
press "Brenvik" dbgESKA_ant_des 1 "Nº Sector a Desafectar"
xdotool key ctrl+Delete
focus_window "Confirmaci" || fail "no question before deleting sector 2"
press "Confirmaci" "Sí"
focus_main
sleep 0.5
shot borrado
prints "1" request "SELECT group_concat(num_sect) FROM eska_ant_des" || fail "sector 2 not deleted"
prints "1" request "SELECT group_concat(num_sect) FROM eska_jus" || fail "the justification of sector 2 was left behind"

# 5. Save, Close and Open again.
save_document
close_document
reopen_document
shot reabierto
prints 1 request "SELECT count(*) FROM eska_jus" || fail "justification lost on reopening"

# 6. Preview, and the exchange file twice (accepted: the released surface is computed).
preview_document
export_document
exchange_has FORMULARIO.SOLI_SUP_SOLICITADA 5,5 2
exchange_has SECTOR.CAUSA_DESAFECTACION "AMPLIACION DE CULTIVOS" 1
export_again_same_bytes

exit_program
echo "Eska person-like run passed; screenshots in $shots"
