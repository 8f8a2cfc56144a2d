# The person-like run of one combination of the generic form, shared by the
# xvfb_lumo_*.sh runs (sourced after lib.sh and xvfb_start). It proves that the request's
# property, date, city and signatory, a stand, the combination's own frame and the
# observations are kept in their own columns; that Save, Close and Open keep them, the
# affected surface the stand's; and that the exchange file carries the combination's own
# type code, its frame and the request by value, with the same bytes twice. Controls are
# reached by name and keyboard.
#
# The caller defines: combinacion (the new-document list entry), tiso (the agency code its
# exchange file carries), llenar_marco (fills its frame and checks it was saved) and
# marco_exportado (checks the frame's part of the exchange file $intercambio).

generico() { working lumo "$1"; }

register_property
start_with_consultant
new_plantation_plan "$combinacion"
choose_property

# 1. A stand of 10 ha: the affected surface follows it.
press "Brenvik" "Caracterización de Rodales" # tree
shot secciones
cell dbgLumo_car 0 "N° de Rodal" 1
cell dbgLumo_car 0 "Superficie (ha.)" 10
xdotool key Down Escape
shot rodal
holds lumo_car 1 num=1 sup=10.0

# 2. The combination's own frame.
llenar_marco

# 3. The observations.
press "Brenvik" "Observaciones Generales" # tree
type_into "Brenvik" mem_obs "Predio con acceso en invierno"
press "Brenvik" "Protección del Recurso Forestal" # tree: the memo is posted on leaving
shot observaciones

# 4. Save, Close and Open again: the form comes back whole, with its sections.
save_document
close_document
reopen_document
press "Brenvik" "Observaciones Generales" # tree
shot reabierto
prints "1" generico "SELECT count(*) FROM lumo_car" || fail "stand lost on reopening"
prints "PREDIO CON ACCESO EN INVIERNO" generico "SELECT obs FROM lumo" || fail "observations lost on reopening"
prints "10.0" generico "SELECT sup_afe FROM lumo" || fail "affected surface not the stand's"

# 5. Preview, and the exchange file twice: nothing changed, so the same bytes.
preview_document
export_document
exchange_has FORMULARIO.TISO_CODIGO "$tiso" 1
marco_exportado
export_again_same_bytes

exit_program
echo "Lumo ($combinacion) person-like run passed; screenshots in $shots"
