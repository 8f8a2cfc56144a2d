# brenvik_form_description(TARGET <plug-in target> CODE <CODE> FILE <description.form>
#                           [TEMPLATE <file.db>])
# Embeds a form's description in the plug-in as the resource ":/forms/<CODE>.form" and
# generates its template database <program dir>/bbdd/<CODE>.db (or TEMPLATE) from it at
# build time, again whenever the description changes (the generator writes the file whole
# or not at all). A description with an error fails the build with the file and line.
function(brenvik_form_description)
  cmake_parse_arguments(F "" "TARGET;CODE;FILE;TEMPLATE" "" ${ARGN})
  if(NOT F_TARGET OR NOT F_CODE OR NOT F_FILE)
    message(FATAL_ERROR "brenvik_form_description: TARGET, CODE and FILE are required")
  endif()
  if(NOT F_CODE MATCHES "^[A-Z0-9]+$")
    message(FATAL_ERROR "brenvik_form_description: CODE must be the form code in upper case, got '${F_CODE}'")
  endif()
  get_filename_component(file ${F_FILE} ABSOLUTE)
  set_source_files_properties(${file} PROPERTIES QT_RESOURCE_ALIAS ${F_CODE}.form)
  qt_add_resources(${F_TARGET} form_${F_CODE} PREFIX /forms FILES ${file})
  if(F_TEMPLATE)
    brenvik_form_template(TARGET ${F_TARGET}_template CODE ${F_CODE} FILE ${file} OUTPUT ${F_TEMPLATE})
  else()
    brenvik_form_template(TARGET ${F_TARGET}_template CODE ${F_CODE} FILE ${file})
  endif()
  add_dependencies(${F_TARGET} ${F_TARGET}_template)
endfunction()

# brenvik_form_template(TARGET <new target> CODE <CODE> FILE <description.form>
#                       [OUTPUT <file.db>])
# Only the template database (tests use it for their fixtures).
function(brenvik_form_template)
  cmake_parse_arguments(F "" "TARGET;CODE;FILE;OUTPUT" "" ${ARGN})
  get_filename_component(file ${F_FILE} ABSOLUTE)
  if(NOT F_OUTPUT)
    set(F_OUTPUT ${BRENVIK_BIN_DIR}/bbdd/${F_CODE}.db)
  endif()
  add_custom_command(
    OUTPUT ${F_OUTPUT}
    COMMAND formtemplate ${file} ${F_OUTPUT}
    DEPENDS formtemplate ${file}
    COMMENT "Generating template ${F_CODE}.db"
    VERBATIM)
  add_custom_target(${F_TARGET} ALL DEPENDS ${F_OUTPUT})
endfunction()

# brenvik_norm_text(TARGET <plug-in target> CODE <CODE> FILE <text.txt>)
# Embeds a management norm's fixed text in the plug-in as ":/normas/<CODE>.txt", which the
# norm's printout reads (TextoNorma); replacing the file replaces the printed wording.
function(brenvik_norm_text)
  cmake_parse_arguments(N "" "TARGET;CODE;FILE" "" ${ARGN})
  if(NOT N_TARGET OR NOT N_CODE OR NOT N_FILE)
    message(FATAL_ERROR "brenvik_norm_text: TARGET, CODE and FILE are required")
  endif()
  get_filename_component(file ${N_FILE} ABSOLUTE)
  set_source_files_properties(${file} PROPERTIES QT_RESOURCE_ALIAS ${N_CODE}.txt)
  qt_add_resources(${N_TARGET} norma_${N_CODE} PREFIX /normas FILES ${file})
endfunction()
