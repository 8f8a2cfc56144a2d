-- Main database of the program (bbdd/bd.db): consultants, property register,
-- form catalogue, document index, localities and lookup lists.
-- Declared types drive the dataset layer's field types: INTEGER, SMALLINT,
-- DOUBLE, VARCHAR(n), TEXT (memo), BOOLEAN (0/1), DATETIME ("yyyy-MM-dd HH:mm:ss").
-- Names and codes that users compare as words use COLLATE NOCASE.

-- Consultants (written by the consultants register; starts empty).
CREATE TABLE consultor (
    cons_id          INTEGER PRIMARY KEY AUTOINCREMENT,
    cons_rut         INTEGER,
    cons_dv          VARCHAR(1) COLLATE NOCASE,
    cons_paterno     VARCHAR(50) COLLATE NOCASE,
    cons_materno     VARCHAR(50) COLLATE NOCASE,
    cons_nombre      VARCHAR(50) COLLATE NOCASE,
    cons_profesion   VARCHAR(1),
    cons_sexo        INTEGER,
    cons_universidad VARCHAR(80),
    cons_ano         SMALLINT,
    cons_domicilio   VARCHAR(100),
    cons_ciudad      VARCHAR(50),
    cons_telefono    VARCHAR(30),
    cons_correo      VARCHAR(80)
);

-- Property register.
CREATE TABLE predio (
    pred_codigo         INTEGER PRIMARY KEY AUTOINCREMENT,
    pred_nombre         VARCHAR(60) COLLATE NOCASE,
    pred_superficie     DOUBLE,
    pred_superficie_sii DOUBLE,
    pred_superficie_et  DOUBLE,
    pred_ubicacion      TEXT,
    pred_comuna         VARCHAR(6),
    pred_provincia      VARCHAR(6),
    pred_region         VARCHAR(6)
);
-- The property register lists by name in Spanish order (ESPANOL, a collation the
-- program registers on each connection): the list reads this index, never sorts.
CREATE INDEX predio_nombre ON predio (pred_nombre COLLATE ESPANOL);

CREATE TABLE rol (
    rol_numero  VARCHAR(20) COLLATE NOCASE,
    pred_codigo INTEGER,
    rol_comuna  VARCHAR(20)
);
CREATE INDEX rol_predio ON rol (pred_codigo);

CREATE TABLE rol_contiguo (
    rol_numero  VARCHAR(20) COLLATE NOCASE,
    pred_codigo INTEGER
);
CREATE INDEX rol_contiguo_predio ON rol_contiguo (pred_codigo);
CREATE INDEX rol_contiguo_numero ON rol_contiguo (rol_numero);

CREATE TABLE conservador (
    cons_codigo      INTEGER PRIMARY KEY AUTOINCREMENT,
    pred_codigo      INTEGER,
    cons_fojas       VARCHAR(20),
    cons_numero      INTEGER,
    cons_conservador VARCHAR(60),
    cons_agno        SMALLINT
);
CREATE INDEX conservador_predio ON conservador (pred_codigo);

CREATE TABLE ministerio (
    mini_codigo INTEGER PRIMARY KEY AUTOINCREMENT,
    pred_codigo INTEGER,
    mini_certbn VARCHAR(20),
    mini_fecha  DATETIME
);
CREATE INDEX ministerio_predio ON ministerio (pred_codigo);

CREATE TABLE coordenada (
    coor_orden            INTEGER PRIMARY KEY AUTOINCREMENT,
    pred_codigo           INTEGER,
    coor_punto_referencia VARCHAR(60),
    coor_norte            INTEGER,
    coor_este             INTEGER
);
CREATE INDEX coordenada_predio ON coordenada (pred_codigo);

-- Owners and legal representatives (the persons register and the request forms write them).
CREATE TABLE persona (
    pers_codigo           INTEGER PRIMARY KEY AUTOINCREMENT,
    pers_rut              INTEGER,
    pers_dv               VARCHAR(1) COLLATE NOCASE,
    pers_paterno          VARCHAR(60) COLLATE NOCASE,
    pers_materno          VARCHAR(60) COLLATE NOCASE,
    pers_nombre           VARCHAR(60) COLLATE NOCASE,
    pers_direccion        VARCHAR(100),
    pers_comuna           VARCHAR(6),
    pers_ciudad           VARCHAR(50),
    pers_telefono         VARCHAR(50),
    pers_sexo             INTEGER,
    pers_es_propietario   BOOLEAN DEFAULT 0,
    pers_es_representante BOOLEAN DEFAULT 0,
    tipr_codigo           INTEGER
);
CREATE INDEX persona_rut ON persona (pers_rut);
-- The persons lists read surnames and names in Spanish order from this index.
CREATE INDEX persona_nombre ON persona (pers_paterno COLLATE ESPANOL, pers_materno COLLATE ESPANOL,
                                        pers_nombre COLLATE ESPANOL);

CREATE TABLE propietario (
    pers_codigo INTEGER,
    pred_codigo INTEGER
);
CREATE INDEX propietario_predio ON propietario (pred_codigo);

CREATE TABLE representante (
    pers_codigo INTEGER,
    pred_codigo INTEGER
);
CREATE INDEX representante_predio ON representante (pred_codigo);

-- Regions (R), provinces (P) and communes (C); loca_codigo_agrupa points to the
-- enclosing locality (a commune's province, a province's region).
CREATE TABLE localidad (
    loca_codigo        VARCHAR(6) PRIMARY KEY,
    loca_tipo          VARCHAR(1),
    loca_descripcion   VARCHAR(80) COLLATE NOCASE,
    loca_codigo_agrupa VARCHAR(6)
);
CREATE INDEX localidad_descripcion ON localidad (loca_descripcion);

-- Form catalogue: one row per form type and one per combination of forms.
CREATE TABLE tiposolicitud (
    tiso_codigo          INTEGER PRIMARY KEY,
    tiso_numero          INTEGER NOT NULL UNIQUE,
    tiso_abreviacion     VARCHAR(6) COLLATE NOCASE NOT NULL UNIQUE,
    tiso_descripcion     VARCHAR(100),
    tiso_desccompleta    VARCHAR(255),
    tiso_resolucion_ZURI BOOLEAN DEFAULT 0
);

CREATE TABLE formularios (
    form_id          INTEGER PRIMARY KEY,
    form_principal   VARCHAR(6) COLLATE NOCASE,
    form_solicitud   VARCHAR(6) COLLATE NOCASE,
    form_opcional1   VARCHAR(6) COLLATE NOCASE,
    form_extension   VARCHAR(3) COLLATE NOCASE NOT NULL UNIQUE,
    form_descripcion VARCHAR(100),
    form_titulo      VARCHAR(255),
    form_sigla       VARCHAR(10)
);

-- Sections of the generic form per combination; shipped filled, never written.
CREATE TABLE seccion_formulario (
    form_id           INTEGER,
    sefo_seccion      INTEGER,
    sefo_titulo       VARCHAR(100),
    sefo_indent       VARCHAR(2),
    sefo_tabsheet     VARCHAR(3),
    sefo_frame        VARCHAR(30),
    sefo_deshabilitar VARCHAR(255),
    PRIMARY KEY (form_id, sefo_seccion)
);

-- Index of saved documents; foco_archivo (a file path) identifies the row.
CREATE TABLE formPredio (
    foco_id          INTEGER PRIMARY KEY AUTOINCREMENT,
    pred_codigo      INTEGER,
    form_id          INTEGER,
    foco_estado      INTEGER DEFAULT 0,
    foco_fecha       DATETIME,
    foco_nroResol    VARCHAR(30),
    foco_archivo     VARCHAR(200),
    foco_XML         VARCHAR(200),
    foco_hashXml     VARCHAR(50),
    foco_consultorId INTEGER
);
CREATE INDEX formPredio_archivo ON formPredio (foco_archivo);
CREATE INDEX formPredio_predio ON formPredio (pred_codigo);

-- Lookup tables.
CREATE TABLE especie (
    espe_codigo       INTEGER PRIMARY KEY,
    espe_descripcion  VARCHAR(80) COLLATE NOCASE,
    espe_tipo         INTEGER,
    espe_conservacion INTEGER DEFAULT 0,
    tipo_codigo       INTEGER,
    espe_primera      INTEGER,
    espe_tamvo        INTEGER,
    espe_quirel       INTEGER,
    espe_coba         INTEGER,
    espe_ertiv        INTEGER,
    espe_kelu         INTEGER,
    espe_harpe        BOOLEAN DEFAULT 0
);
CREATE INDEX especie_descripcion ON especie (espe_descripcion);

CREATE TABLE fauna (
    faun_codigo       INTEGER PRIMARY KEY,
    faun_descripcion  VARCHAR(80) COLLATE NOCASE,
    faun_nombrecomun  VARCHAR(80) COLLATE NOCASE,
    faun_conservacion INTEGER DEFAULT 0,
    tipo_codigo       INTEGER
);

-- Coded values grouped by titi_codigo; the flags pick the subsets that single
-- forms offer, unme_obra is the unit of measure of a work.
CREATE TABLE tipo (
    titi_codigo         INTEGER NOT NULL,
    tipo_codigo         INTEGER NOT NULL,
    tipo_descripcion    VARCHAR(100) COLLATE NOCASE,
    tipo_suelo_zuri     BOOLEAN DEFAULT 0,
    tipo_suelo_nirka    BOOLEAN DEFAULT 0,
    tipo_suelo_eska     BOOLEAN DEFAULT 0,
    tipo_obra_rec       BOOLEAN DEFAULT 0,
    tipo_obra_dun       BOOLEAN DEFAULT 0,
    tipo_obra_duna_zuri BOOLEAN DEFAULT 0,
    unme_obra           INTEGER,
    PRIMARY KEY (titi_codigo, tipo_codigo)
);

CREATE TABLE anos (
    id_ano INTEGER PRIMARY KEY,
    ano    VARCHAR(4)
);

-- Numbered attribute lists (att_tipo 1 to 41); unme_var is the unit of a climate variable.
CREATE TABLE atributotipo (
    att_tipo        INTEGER NOT NULL,
    att_codigo      INTEGER NOT NULL,
    att_descripcion VARCHAR(100) COLLATE NOCASE,
    unme_var        INTEGER,
    PRIMARY KEY (att_tipo, att_codigo)
);

-- Free descriptions typed for an "other" entry of a lookup list (negative codes).
CREATE TABLE otros (
    otr_codigo      INTEGER NOT NULL,
    otr_descripcion VARCHAR(100) COLLATE NOCASE,
    otr_tce         VARCHAR(40) NOT NULL,
    PRIMARY KEY (otr_tce, otr_codigo)
);

CREATE TABLE categoria (
    cate_codigo      INTEGER PRIMARY KEY,
    cate_descripcion VARCHAR(60),
    tica_codigo      INTEGER
);

CREATE TABLE clase (
    clas_codigo      INTEGER PRIMARY KEY,
    clas_descripcion VARCHAR(60)
);

CREATE TABLE metodo (
    meto_codigo      INTEGER PRIMARY KEY,
    meto_descripcion VARCHAR(100),
    time_codigo      INTEGER
);

CREATE TABLE producto (
    prod_codigo      INTEGER PRIMARY KEY,
    prod_descripcion VARCHAR(60) COLLATE NOCASE
);

CREATE TABLE unidadmedida (
    unme_codigo      INTEGER PRIMARY KEY,
    unme_descripcion VARCHAR(40),
    unme_climatica   BOOLEAN DEFAULT 0
);

-- Units in which a product may be measured, with the factor that turns a
-- quantity into cubic metres.
CREATE TABLE unidadproducto (
    unme_codigo     INTEGER NOT NULL,
    prod_codigo     INTEGER NOT NULL,
    unpr_conversion DOUBLE,
    PRIMARY KEY (unme_codigo, prod_codigo)
);

CREATE TABLE tesoreria (
    teso_codigo INTEGER PRIMARY KEY,
    teso_nombre VARCHAR(60) COLLATE NOCASE
);

CREATE TABLE tipoactividad (
    tiac_codigo      INTEGER PRIMARY KEY,
    tiac_descripcion VARCHAR(80) COLLATE NOCASE,
    tiac_act_losmi   BOOLEAN DEFAULT 0,
    tiac_act_podral  BOOLEAN DEFAULT 0
);

-- Silvicultural activities of native-forest plans: class, ordinal and method.
CREATE TABLE tipoactividad_bn (
    tabn_codigo      INTEGER PRIMARY KEY,
    tabn_descripcion VARCHAR(80) COLLATE NOCASE,
    tiac_codigo      INTEGER,
    tiac_num         INTEGER,
    meto_codigo      INTEGER
);

-- Silvicultural activities of plantation plans: class and ordinal.
CREATE TABLE tipoactividad_pl (
    tapl_codigo      INTEGER PRIMARY KEY,
    tapl_descripcion VARCHAR(80) COLLATE NOCASE,
    tiac_codigo      INTEGER,
    tiac_num         INTEGER
);

CREATE TABLE tipobon (
    tibo_codigo      INTEGER PRIMARY KEY,
    tibo_descripcion VARCHAR(80)
);

CREATE TABLE tipopredio (
    tpre_codigo      INTEGER PRIMARY KEY,
    tpre_descripcion VARCHAR(60)
);

-- Fixed texts grouped by exce_codigo (several rows share one code).
CREATE TABLE excepciones (
    exce_codigo      INTEGER NOT NULL,
    exce_descripcion VARCHAR(150)
);

CREATE TABLE sexo (
    sexo_id          INTEGER PRIMARY KEY,
    sexo_descripcion VARCHAR(20)
);
