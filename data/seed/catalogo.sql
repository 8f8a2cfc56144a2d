-- Form catalogue. tiposolicitud: one row per form type (tiso_numero is its place
-- in the form-type list, tiso_codigo the agency type code, tiso_abreviacion the
-- form code); tiso_resolucion_ZURI marks the types offered as resolutions. The generic
-- form LUMO has no code of its own (999): each of its combinations names its own in the
-- exchange file.
INSERT INTO tiposolicitud (tiso_numero, tiso_codigo, tiso_abreviacion, tiso_descripcion, tiso_desccompleta, tiso_resolucion_ZURI) VALUES
(1,  1,  'DORVO',  'Solicitud D.L. 701',                        'SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974', 0),
(2,  2,  'FERUN',  'Solicitud de Bonificación Forestal',        'SOLICITUD DE PAGO DE BONIFICACIÓN FORESTAL, D.L. Nº 701, DE 1974', 0),
(3,  10, 'KELU',   'Plan de Manejo Plantaciones',               'PLAN DE MANEJO PLANTACIONES FORESTALES', 1),
(4,  11, 'VORDA',  'Aviso de Ejecución de Plan de Manejo',      'AVISO DE EJECUCIÓN DE PLAN DE MANEJO PLANTACIONES FORESTALES', 0),
(5,  12, 'DALU',   'Plan de Manejo Bosque Nativo',              'PLAN DE MANEJO BOSQUE NATIVO', 0),
(6,  13, 'TISA',   'Plan de Manejo Recuperación Agrícola',      'PLAN DE MANEJO CORTA DE BOSQUE NATIVO PARA RECUPERAR TERRENOS CON FINES AGRÍCOLAS', 0),
(7,  20, 'FENRA',  'Guía de Libre Tránsito',                    'SOLICITUD DE GUÍA DE LIBRE TRÁNSITO, D.S. Nº 490, MINISTERIO DE AGRICULTURA, 1976', 0),
(8,  21, 'BEXA',   'Certificación de Futura Bonificación',      'SOLICITUD DE CERTIFICACIÓN DE FUTURA BONIFICACIÓN, D.L. Nº 701, DE 1974', 0),
(9,  22, 'DUVI',   'Plan de Extracción de Alerce Muerto',       'PLAN DE EXTRACCIÓN DE ALERCE MUERTO', 0),
(10, 23, 'YOLVA',  'Declaración de Productos de Alerce Muerto', 'DECLARACIÓN DE EXISTENCIA DE PRODUCTOS DE ALERCE MUERTO', 0),
(11, 24, 'TROZEL', 'Marcaje de Productos de Alerce Muerto',     'SOLICITUD DE MARCAJE DE PRODUCTOS DE ALERCE MUERTO', 0),
(12, 25, 'WIRO',   'Solicitud D.L. 701 para Varios Predios',    'SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974, PARA VARIOS PREDIOS', 0),
(13, 26, 'MARPO',  'Solicitud Multipredial',                    'SOLICITUD MULTIPREDIAL', 0),
(14, 999, 'LUMO',   'Formulario Genérico',                       'FORMULARIO GENÉRICO', 0),
(15, 40, 'ERTIV',  'Norma de Manejo Tipo Forestal Siempreverde','NORMA DE MANEJO APLICABLE AL TIPO FORESTAL SIEMPREVERDE (CORTA DE REGENERACIÓN)', 0),
(16, 41, 'HARPE',  'Norma de Manejo Tipo Forestal Lenga',       'NORMA DE MANEJO APLICABLE AL TIPO FORESTAL LENGA', 0),
(17, 42, 'COBA',   'Norma de Manejo Plantaciones de Pino',      'NORMA DE MANEJO PARA PLANTACIONES DE PINO RADIATA', 0),
(18, 50, 'ZURI',   'Acreditación de Forestación',               'ACREDITACIÓN DE FORESTACIÓN Y RECUPERACIÓN DE SUELOS DEGRADADOS', 0),
(19, 51, 'PELTO',  'Acreditación de Poda y Raleo',              'ACREDITACIÓN DE ACTIVIDADES DE PRIMERA PODA Y/O RALEO', 0),
(20, 52, 'KIFO',   'Acreditación de Cortinas Cortavientos',     'ESTUDIO TÉCNICO DE ACREDITACIÓN DE ESTABLECIMIENTO DE CORTINAS CORTAVIENTOS', 0),
(21, 53, 'JOREV',  'Declaración de Bosques de Protección',      'ESTUDIO TÉCNICO DE DECLARACIÓN DE BOSQUES DE PROTECCIÓN', 0),
(22, 54, 'ESKA',   'Desafectación de Terrenos',                 'DESAFECTACIÓN DE TERRENOS CALIFICADOS DE APTITUD PREFERENTEMENTE FORESTAL', 0),
(23, 55, 'ILVA',   'Reconocimiento de Suelos para Cortinas',    'ESTUDIO TÉCNICO DE RECONOCIMIENTO DE SUELOS PARA CORTINAS CORTAVIENTOS', 1),
(24, 0,  'CALIF',  'Calificación de Terrenos',                  'CALIFICACIÓN DE TERRENOS DE APTITUD PREFERENTEMENTE FORESTAL', 1);

-- Combinations of forms that make a document: the principal form, its parent
-- request form and an optional third. The document file extension is "f" +
-- form_extension. The new-document list shows them in form_id order and hands
-- the chosen form_id to the shell; 31, 32 and 33 are the burned-forest, Sirex and
-- quarantine-pest variants of the generic form, its only combinations. A backslash
-- in form_titulo breaks the printed title.
INSERT INTO formularios (form_id, form_principal, form_solicitud, form_opcional1, form_extension, form_descripcion, form_titulo, form_sigla) VALUES
(1,  'KELU',   'DORVO', '',      'kel', 'Plan de Manejo Plantaciones Forestales',               'PLAN DE MANEJO\PLANTACIONES FORESTALES', 'KELU'),
(2,  'VORDA',  'DORVO', '',      'vor', 'Aviso de Ejecución de Plan de Manejo Plantaciones',    'AVISO DE EJECUCIÓN DE PLAN DE MANEJO\PLANTACIONES FORESTALES', 'VORDA'),
(3,  'DALU',   'DORVO', '',      'dal', 'Plan de Manejo Bosque Nativo',                         'PLAN DE MANEJO\BOSQUE NATIVO', 'DALU'),
(4,  'TISA',   'DORVO', '',      'tis', 'Plan de Manejo Corta de Bosque Nativo para Recuperar Terrenos Agrícolas', 'PLAN DE MANEJO\CORTA DE BOSQUE NATIVO\PARA RECUPERAR TERRENOS CON FINES AGRÍCOLAS', 'TISA'),
(5,  'ERTIV',  'DORVO', '',      'ert', 'Norma de Manejo Tipo Forestal Siempreverde',           'NORMA DE MANEJO\APLICABLE AL TIPO FORESTAL SIEMPREVERDE\(CORTA DE REGENERACIÓN)', 'ERTIV'),
(6,  'HARPE',  'DORVO', '',      'har', 'Norma de Manejo Tipo Forestal Lenga',                  'NORMA DE MANEJO\APLICABLE AL TIPO FORESTAL LENGA', 'HARPE'),
(7,  'COBA',   'DORVO', '',      'cob', 'Norma de Manejo Plantaciones de Pino Radiata',         'NORMA DE MANEJO\PLANTACIONES DE PINO RADIATA', 'COBA'),
(8,  'JOREV',  'DORVO', '',      'jor', 'Estudio Técnico de Declaración de Bosques de Protección', 'ESTUDIO TÉCNICO\DE DECLARACIÓN DE BOSQUES DE PROTECCIÓN', 'JOREV'),
(9,  'ESKA',   'DORVO', '',      'esk', 'Desafectación de Terrenos de Aptitud Preferentemente Forestal', 'DESAFECTACIÓN DE TERRENOS CALIFICADOS\DE APTITUD PREFERENTEMENTE FORESTAL', 'ESKA'),
(10, 'ILVA',   'DORVO', '',      'ilv', 'Reconocimiento de Suelos para Cortinas Cortavientos',  'ESTUDIO TÉCNICO DE RECONOCIMIENTO DE SUELOS\PARA CORTINAS CORTAVIENTOS', 'ILVA'),
(11, 'ZURI',   'FERUN', '',      'zur', 'Acreditación de Forestación y Recuperación de Suelos Degradados', 'ACREDITACIÓN DE FORESTACIÓN\Y RECUPERACIÓN DE SUELOS DEGRADADOS', 'ZURI'),
(12, 'PELTO',  'FERUN', '',      'pel', 'Acreditación de Primera Poda y/o Raleo',               'ACREDITACIÓN DE ACTIVIDADES\DE PRIMERA PODA Y/O RALEO', 'PELTO'),
(13, 'KIFO',   'FERUN', '',      'kif', 'Acreditación de Cortinas Cortavientos',                'ESTUDIO TÉCNICO DE ACREDITACIÓN\DE ESTABLECIMIENTO DE CORTINAS CORTAVIENTOS', 'KIFO'),
(14, 'FENRA',  '',      '',      'fen', 'Guía de Libre Tránsito Alerce Muerto',                 'SOLICITUD DE GUÍA DE LIBRE TRÁNSITO', 'FENRA'),
(15, 'BEXA',   '',      '',      'bex', 'Certificación de Futura Bonificación',                 'SOLICITUD DE CERTIFICACIÓN DE FUTURA BONIFICACIÓN', 'BEXA'),
(16, 'DUVI',   '',      '',      'duv', 'Plan de Extracción de Alerce Muerto',                  'SOLICITUD RELATIVA AL D.S. Nº 490', 'DUVI'),
(17, 'YOLVA',  '',      '',      'yol', 'Declaración de Existencia de Productos de Alerce Muerto', 'SOLICITUD DECLARACIÓN EXISTENCIA\PRODUCTOS ALERCE MUERTO', 'YOLVA'),
(18, 'TROZEL', '',      '',      'tro', 'Marcaje de Productos de Alerce Muerto',                'SOLICITUD DE MARCAJE\PRODUCTOS DE ALERCE MUERTO', 'TROZEL'),
(19, 'WIRO',   '',      '',      'wir', 'Solicitud D.L. 701 para Varios Predios',               'SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974', 'WIRO'),
(20, 'DORVO',  '',      '',      'dor', 'Solicitud D.L. 701',                                   'SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974', 'DORVO'),
(21, 'FERUN',  '',      '',      'fer', 'Solicitud de Pago de Bonificación Forestal',           'SOLICITUD DE PAGO DE BONIFICACIÓN FORESTAL', 'FERUN'),
(22, 'KELU',   'DORVO', 'VORDA', 'kvo', 'Plan de Manejo Plantaciones con Aviso de Ejecución',   'PLAN DE MANEJO\PLANTACIONES FORESTALES', 'KELU'),
(31, 'LUMO',   'DORVO', '',      'bqm', 'Norma de Manejo para Bosques Quemados',                'NORMA DE MANEJO\PARA BOSQUES AFECTADOS POR INCENDIOS FORESTALES', 'BQ'),
(32, 'LUMO',   'DORVO', '',      'srx', 'Prospección de Sirex noctilio',                        'NORMA DE MANEJO APLICABLE A PLANTACIONES\AFECTADAS POR PLAGAS CUARENTENARIAS\PROSPECCIÓN DE Sirex noctilio', 'SRX'),
(33, 'LUMO',   'DORVO', '',      'plg', 'Norma de Manejo para Plagas Cuarentenarias',           'NORMA DE MANEJO APLICABLE A PLANTACIONES\AFECTADAS POR PLAGAS CUARENTENARIAS', 'PLG');

-- Sections of the generic form per combination. Row 0 is the title line of the
-- navigation tree; every further row is a fixed page (sefo_tabsheet) or a frame
-- (sefo_frame). sefo_indent is the tree depth; sefo_deshabilitar removes grid
-- columns ("control[-child],index,index|...").
INSERT INTO seccion_formulario (form_id, sefo_seccion, sefo_titulo, sefo_indent, sefo_tabsheet, sefo_frame, sefo_deshabilitar) VALUES
(31, 0, 'NORMA DE MANEJO BOSQUES QUEMADOS', '0', '', '', ''),
(31, 1, 'Caracterización de Rodales', '1', '1', '', 'GroupBox9-dbgLumo_car,6,6'),
(31, 2, 'Descripción de Rodales Quemados', '1', '', 'lumoFrm_bqmd', ''),
(31, 3, 'Actividades Silvícolas', '1', '', 'lumoFrm_titulo', ''),
(31, 4, 'Corta', '2', '9', '', ''),
(31, 5, 'Reforestación', '2', '10', '', ''),
(31, 6, 'Protección del Recurso Forestal', '1', '17', '', ''),
(31, 7, 'Observaciones Generales', '1', '18', '', ''),
(32, 0, 'PROSPECCIÓN DE Sirex noctilio', '0', '', '', ''),
(32, 1, 'Caracterización de Rodales', '1', '1', '', ''),
(32, 2, 'Prospecciones', '1', '', 'lumoFrm_srex', ''),
(32, 3, 'Protección del Recurso Forestal', '1', '17', '', ''),
(32, 4, 'Observaciones Generales', '1', '18', '', ''),
(33, 0, 'NORMA DE MANEJO PLAGAS CUARENTENARIAS', '0', '', '', ''),
(33, 1, 'Resoluciones del S.A.G.', '1', '', 'lumoFrm_plga', ''),
(33, 2, 'Caracterización de Rodales', '1', '1', '', ''),
(33, 3, 'Actividades Silvícolas', '1', '', 'lumoFrm_titulo', ''),
(33, 4, 'Raleo', '2', '8', '', ''),
(33, 5, 'Corta', '2', '9', '', ''),
(33, 6, 'Protección del Recurso Forestal', '1', '17', '', ''),
(33, 7, 'Observaciones Generales', '1', '18', '', '');
