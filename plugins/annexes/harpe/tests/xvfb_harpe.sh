#!/bin/bash
# A person-like run of the lenga management norm under Xvfb, driven with xdotool, with a
# screenshot after each step: New (the norm with its request form), the property chosen,
# a stand whose past cut year is refused and then taken, its total density computed from
# lenga alone, its regeneration row filled; Save, Close, Open, preview, and the exchange
# file generated twice: both files must be the same. Controls are reached by name and
# keyboard, never by position; CI runs it.
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
focus_window "Advertencia" 10 || fail "a cut year gone by was not refused"
shot corta-rechazada
xdotool key Return; sleep 0.5
prints 0 norma "SELECT count(*) FROM harpe_car" || fail "the refused stand was saved"
cell dbgHARPE_car 0 "Año Corta" 2098
press "Brenvik" dbgHARPE_car 0 "Rango de Cobertura a Dejar"
xdotool key Return Return; sleep 0.5
xdotool key Escape
shot rodal
prints "1|2098|0.0|800.0" norma "SELECT num || '|' || ano_cor || '|' || den_ini_coi || '|' || den_init_tot FROM harpe_car" \
  || fail "stand not saved with its densities"
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
prints "1|3500.0|1" norma "SELECT num || '|' || den || '|' || dis FROM harpe_car_reg" || fail "regeneration not saved"
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
grep -q "<FORMULARIO.TISO_CODIGO>41</" "$intercambio" || fail "the exchange file holds no Harpe norm"
grep -q "<ACTIVIDAD.DENSIDAD>3500</" "$intercambio" || fail "the stand's cut does not carry its regeneration"
export_again_same_bytes

exit_program
echo "Harpe person-like run passed; screenshots in $shots"
