#!/bin/bash
# A person-like run of the lenga management norm under Xvfb, driven with xdotool, with a
# screenshot after each step. It proves that the request's property, date, city and
# signatory are kept; that a stand cut in a year gone by is refused with the rule's message
# and not stored, and with a later year is kept with each typed value in its column and
# its total density the lenga's alone; that its regeneration row is filled in the row the
# stand made; and that Save, Close and Open keep the norm, its surface the stand's, and the
# exchange file carries the norm, the regeneration's density and the request by value,
# with the same bytes twice. Controls are reached by name and keyboard, never by position;
# CI runs it.
#
# Usage: plugins/annexes/harpe/tests/xvfb_harpe.sh [build dir (build)] [screenshot dir (xvfb-shots)]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../../../tests/xvfb/lib.sh"
xvfb_start "$@"

norma() { working harpe_car "$1"; }

register_property
start_with_consultant
new_plantation_plan "Norma de Manejo Tipo Forestal Lenga"
choose_property

# 1. A stand cut in a year gone by is refused; the year typed again, it is taken, and its
# total density is the lenga's with no coigüe.
press "Brenvik" "Caracterización de los rodales" # tree
cell dbgHARPE_car 0 "Nº Rodal" 1
cell dbgHARPE_car 0 "Superficie (ha)" 10
choice dbgHARPE_car 0 "Situación Tipo" "Bosque virgen"
cell dbgHARPE_car 0 "DMC (cm)" 45
cell dbgHARPE_car 0 "Pendiente Media(%)" 15
cell dbgHARPE_car 0 "Altura Media (m)" 22
cell dbgHARPE_car 0 "Densidad inicial (Nº arb/ha)|Lenga" 800
cell dbgHARPE_car 0 "Año Corta" 2020
type_into "Brenvik" dbgHARPE_car 0 "Rango de Cobertura a Dejar" "26 a 50"; xdotool key Return Return
message_says "Advertencia" "El año debe ser mayor o igual que el año en curso"
shot corta-rechazada
xdotool key Return; sleep 0.5
prints 0 norma "SELECT count(*) FROM harpe_car" || fail "the refused stand was saved"
cell dbgHARPE_car 0 "Año Corta" 2098
press "Brenvik" dbgHARPE_car 0 "Rango de Cobertura a Dejar"
xdotool key Return Return; sleep 0.5
xdotool key Escape
shot rodal
holds harpe_car 1 num=1 sup=10.0 dmc=45.0 pen=15.0 alt=22.0 den_ini_len=800.0 ano_cor=2098 den_ini_coi=0.0 den_init_tot=800.0
prints 1 norma "SELECT count(*) FROM harpe_car_reg WHERE num = '1'" || fail "no regeneration row for the stand"

# 2. The stand's regeneration, in the row made with the stand: its species first, then
# its figures; Enter in the last column posts it.
press "Brenvik" "Caracterización de la regeneración existente" # tree
press "Brenvik" dbgHARPE_car_reg 0 "REGENERACION|Especies" # the cell, then its button
press "Brenvik" dbgHARPE_car_reg 0 "REGENERACION|Especies" boton
focus_window "Selecci" || fail "no multi-selection window"
xdotool key space Return; sleep 0.5 # the first species; Aceptar
focus_main
cell dbgHARPE_car_reg 0 "REGENERACION|Densidad (plantas/ha)" 3500
cell dbgHARPE_car_reg 0 "REGENERACION|Altura (cm)" 40
choice dbgHARPE_car_reg 0 "REGENERACION|Distribución" "Uniforme"
xdotool key Return; sleep 0.5 # from the last column: the row is done
shot regeneracion
holds harpe_car_reg 1 num=1 den=3500.0 alt=40.0 dis=1
[[ -n $(norma "SELECT esp FROM harpe_car_reg") ]] || fail "regeneration species not saved"

# 3. Save, Close and Open again: the norm comes back whole.
save_document
close_document
reopen_document
press "Brenvik" "Caracterización de los rodales" # tree
shot reabierto
prints 1 norma "SELECT count(*) FROM harpe_car" || fail "stand lost on reopening"
prints 1 norma "SELECT count(*) FROM harpe_car_reg" || fail "regeneration lost on reopening"
prints "10.0" working harpe "SELECT sup_afe FROM harpe" || fail "surface to be worked not the stand's"

# 4. Preview, and the exchange file twice: nothing changed, so the same bytes.
preview_document
export_document
exchange_has FORMULARIO.TISO_CODIGO 41 1
exchange_has ACTIVIDAD.DENSIDAD 3500 1
export_again_same_bytes

exit_program
echo "Harpe person-like run passed; screenshots in $shots"
