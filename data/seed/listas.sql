-- Lookup lists of the coded columns. A description that reads exactly "OTRO",
-- "OTRA" or "OTROS" lets the user type a free value, kept in table otros.

INSERT INTO sexo (sexo_id, sexo_descripcion) VALUES
(1, 'Masculino'),
(2, 'Femenino');

-- Coded values by group (titi_codigo).
INSERT INTO tipo (titi_codigo, tipo_codigo, tipo_descripcion) VALUES
-- 1: tipo de explotación
(1, 1, 'Explotación forestal'), (1, 2, 'Explotación agrícola'), (1, 3, 'Explotación ganadera'), (1, 4, 'Explotación mixta'),
-- 2: vegetación
(2, 1, 'Bosque nativo'), (2, 2, 'Plantación forestal'), (2, 3, 'Matorral'), (2, 4, 'Pradera'), (2, 5, 'Renoval'), (2, 6, 'Terreno desnudo'),
-- 3: tipo de planta
(3, 1, 'Raíz desnuda'), (3, 2, 'Contenedor'), (3, 3, 'Plantín en bolsa'), (3, 4, 'Estaca'), (3, 5, 'Semilla'),
-- 4: protección
(4, 1, 'Protección de suelos'), (4, 2, 'Protección de cursos de agua'), (4, 3, 'Protección de especies en categoría de conservación'), (4, 4, 'Protección del paisaje'),
-- 5: tipos forestales (a subtype keeps the tens of its type)
(5, 10, 'Alerce'), (5, 20, 'Ciprés de las Guaitecas'), (5, 30, 'Araucaria'), (5, 40, 'Ciprés de la Cordillera'),
(5, 50, 'Lenga'), (5, 51, 'Lenga - Coihue de Magallanes'), (5, 60, 'Coihue de Magallanes'), (5, 70, 'Roble - Hualo'),
(5, 80, 'Roble - Raulí - Coihue'), (5, 81, 'Roble - Raulí - Coihue, renovales'), (5, 90, 'Coihue - Raulí - Tepa'),
(5, 100, 'Esclerófilo'), (5, 110, 'Siempreverde'), (5, 111, 'Siempreverde, renovales de canelo'), (5, 120, 'Palma Chilena'),
-- 6: tipo de corta intermedia (10 = raleo)
(6, 10, 'Raleo'), (6, 11, 'Corta de liberación'), (6, 12, 'Corta sanitaria'), (6, 13, 'Corta de mejoramiento'),
-- 7: reforestación
(7, 1, 'Plantación'), (7, 2, 'Siembra directa'), (7, 3, 'Regeneración natural'),
-- 9: causales de rechazo
(9, 1, 'Antecedentes incompletos'), (9, 2, 'Presentación fuera de plazo'), (9, 3, 'El terreno no cumple los requisitos'),
-- 10: situación del bosque de lenga
(10, 1, 'Bosque virgen'), (10, 2, 'Bosque intervenido'), (10, 3, 'Renoval'), (10, 4, 'Bosque multietáneo'),
-- 12: dunas
(12, 1, 'Duna litoral activa'), (12, 2, 'Duna litoral semiestabilizada'), (12, 3, 'Duna interior'),
-- 13: control de dunas
(13, 1, 'Empalizadas'), (13, 2, 'Cubierta de ramas'), (13, 3, 'Plantación de especies fijadoras'),
-- 14: roce
(14, 1, 'Roce manual'), (14, 2, 'Roce mecanizado'), (14, 3, 'Roce químico'),
-- 15: estabilización de dunas
(15, 1, 'Estabilización mecánica'), (15, 2, 'Estabilización biológica'), (15, 3, 'Estabilización mixta'),
-- 16: tipo de bosque
(16, 1, 'Bosque nativo adulto'), (16, 2, 'Renoval'), (16, 3, 'Plantación'), (16, 4, 'Bosque mixto'), (16, 5, 'Matorral arborescente'),
-- 18: categorías de conservación
(18, 1, 'En peligro'), (18, 2, 'Vulnerable'), (18, 3, 'Rara'), (18, 4, 'Insuficientemente conocida'), (18, 5, 'Fuera de peligro'),
-- 19: situación del bosque siempreverde
(19, 1, 'Bosque virgen'), (19, 2, 'Bosque intervenido'), (19, 3, 'Renoval'),
-- 80: roce, raleo y corta
(80, 1, 'Roce'), (80, 2, 'Raleo'), (80, 3, 'Corta'),
-- 21: oficinas donde se presenta una solicitud de certificación; 1 es la otra, escrita a mano
(21, 1, 'OTRA'), (21, 2, 'Okran Oficina Central'),
(21, 3, 'Okran Oficina Regional de Arica y Parinacota'), (21, 4, 'Okran Oficina Regional de Tarapacá'),
(21, 5, 'Okran Oficina Regional de Antofagasta'), (21, 6, 'Okran Oficina Regional de Atacama'),
(21, 7, 'Okran Oficina Regional de Coquimbo'), (21, 8, 'Okran Oficina Regional de Valparaíso'),
(21, 9, 'Okran Oficina Regional Metropolitana'), (21, 10, 'Okran Oficina Regional de O''Higgins'),
(21, 11, 'Okran Oficina Regional del Maule'), (21, 12, 'Okran Oficina Regional de Ñuble'),
(21, 13, 'Okran Oficina Regional del Biobío'), (21, 14, 'Okran Oficina Regional de La Araucanía'),
(21, 15, 'Okran Oficina Regional de Los Ríos'), (21, 16, 'Okran Oficina Regional de Los Lagos'),
(21, 17, 'Okran Oficina Regional de Aysén'), (21, 18, 'Okran Oficina Regional de Magallanes'),
-- 22: series de suelos
(22, 1, 'Arrayán'), (22, 2, 'Cauquenes'), (22, 3, 'Collipulli'), (22, 4, 'Constitución'), (22, 5, 'Los Ángeles'),
(22, 6, 'Metrenco'), (22, 7, 'Nahuelbuta'), (22, 8, 'Osorno'), (22, 9, 'Piedras Negras'), (22, 10, 'Pocillas'),
(22, 11, 'Puerto Octay'), (22, 12, 'Santa Bárbara'),
-- 90: medio de transporte (4 = otro, described apart)
(90, 1, 'Camión'), (90, 2, 'Camioneta'), (90, 3, 'Tractor con carro'), (90, 4, 'OTRO'),
-- -10: síntomas de daño
(-10, 1, 'Amarillamiento del follaje'), (-10, 2, 'Muerte de brotes'), (-10, 3, 'Exudación de resina'),
(-10, 4, 'Orificios de salida de insectos'), (-10, 5, 'Defoliación'), (-10, 6, 'Marchitez');

-- 8: categorías de suelo, with the forms that admit each one (7, 10, 12 and 13 are degraded soils).
INSERT INTO tipo (titi_codigo, tipo_codigo, tipo_descripcion, tipo_suelo_zuri, tipo_suelo_nirka, tipo_suelo_eska) VALUES
(8, 1,  'Suelo de aptitud preferentemente forestal', 1, 1, 1),
(8, 2,  'Suelo frágil',                               0, 1, 1),
(8, 3,  'Suelo en proceso de desertificación',        1, 1, 0),
(8, 4,  'Suelo de secano árido',                      0, 1, 0),
(8, 5,  'Suelo de secano semiárido',                  0, 1, 0),
(8, 6,  'Suelo con pendiente superior a 45 %',        0, 0, 1),
(8, 7,  'Suelo degradado con erosión moderada',       1, 1, 1),
(8, 8,  'Dunas',                                      1, 0, 0),
(8, 9,  'Suelo agrícola',                             0, 0, 1),
(8, 10, 'Suelo degradado con erosión severa',         1, 1, 0),
(8, 11, 'Suelo ñadi',                                 0, 1, 1),
(8, 12, 'Suelo degradado con erosión muy severa',     1, 1, 0),
(8, 13, 'Suelo degradado con cárcavas',               1, 0, 0);

-- 20: obras, with the forms that offer each one and its unit of measure.
INSERT INTO tipo (titi_codigo, tipo_codigo, tipo_descripcion, tipo_obra_rec, tipo_obra_dun, tipo_obra_duna_zuri, unme_obra) VALUES
(20, 1, 'Zanjas de infiltración',              1, 0, 0, 3),
(20, 2, 'Diques de contención',                1, 0, 0, 11),
(20, 3, 'Canales de desviación',               1, 0, 0, 3),
(20, 4, 'Subsolado',                           1, 0, 0, 1),
(20, 5, 'Terrazas',                            1, 0, 0, 1),
(20, 6, 'Empalizadas',                         0, 1, 1, 3),
(20, 7, 'Cubierta de desechos vegetales',      0, 1, 1, 1),
(20, 8, 'Cercos de protección',                1, 1, 0, 2),
(20, 9, 'Plantación de especies herbáceas',    0, 1, 1, 1);

INSERT INTO anos (id_ano, ano)
WITH RECURSIVE y(n) AS (SELECT 1950 UNION ALL SELECT n + 1 FROM y WHERE n < 2050)
SELECT n, CAST(n AS TEXT) FROM y;

-- Methods grouped by time_codigo: 1 forestación, 4 reforestación, 5 reforestación de
-- Prosopis, 7 corta, 8 corta de Prosopis, 10 corta en bosque siempreverde, 11 corta de protección.
INSERT INTO metodo (meto_codigo, meto_descripcion, time_codigo) VALUES
(11, 'Plantación manual', 1), (12, 'Plantación mecanizada', 1), (13, 'Siembra directa', 1),
(41, 'Plantación', 4), (42, 'Siembra directa', 4), (43, 'Regeneración natural', 4), (44, 'Plantación suplementaria', 4),
(51, 'Plantación de Prosopis', 5), (52, 'Regeneración natural de Prosopis', 5),
(71, 'Tala rasa', 7), (72, 'Cortas de protección', 7), (73, 'Cortas de selección', 7), (74, 'Árboles semilleros', 7), (75, 'Monte bajo', 7),
(81, 'Corta de selección de Prosopis', 8), (82, 'Corta de rejuvenecimiento de Prosopis', 8),
(101, 'Corta en fajas', 10), (102, 'Tala rasa en bosquetes', 10), (103, 'Cortas de protección', 10),
(111, 'Corta de protección uniforme', 11), (112, 'Corta de protección en grupos', 11);

-- tica_codigo 1: drenaje, 2: erosión.
INSERT INTO categoria (cate_codigo, cate_descripcion, tica_codigo) VALUES
(1, 'Erosión nula o ligera', 2), (2, 'Erosión moderada', 2), (3, 'Erosión severa', 2), (4, 'Erosión muy severa', 2),
(11, 'Drenaje bueno', 1), (12, 'Drenaje moderado', 1), (13, 'Drenaje imperfecto', 1);

-- Land-use capacity classes; 9 is offered only where unclassified land is allowed.
INSERT INTO clase (clas_codigo, clas_descripcion) VALUES
(1, 'Clase I'), (2, 'Clase II'), (3, 'Clase III'), (4, 'Clase IV'),
(5, 'Clase V'), (6, 'Clase VI'), (7, 'Clase VII'), (8, 'Clase VIII'), (9, 'Sin clasificación');

-- Unit 11 (cubic metre) needs no conversion.
INSERT INTO unidadmedida (unme_codigo, unme_descripcion, unme_climatica) VALUES
(1, 'Hectárea (ha)', 0), (2, 'Kilómetro (km)', 0), (3, 'Metro (m)', 0), (4, 'Metro lineal', 0),
(5, 'Unidad', 0), (6, 'Plantas por hectárea', 0), (7, 'Tonelada', 0), (8, 'Pulgada maderera', 0),
(9, 'Metro ruma', 0), (10, 'Kilogramo', 0), (11, 'Metro cúbico (m3)', 0),
(21, 'Grados Celsius (°C)', 1), (22, 'Milímetros (mm)', 1), (23, 'Porcentaje (%)', 1), (24, 'Días', 1),
(25, 'Metros por segundo (m/s)', 1), (26, 'Horas', 1);

-- 18 stands for free "other" products.
INSERT INTO producto (prod_codigo, prod_descripcion) VALUES
(1, 'Trozos'), (2, 'Tablas'), (3, 'Tejuelas'), (4, 'Basas'), (5, 'Postes'), (6, 'Polines'),
(7, 'Vigas'), (8, 'Bolos'), (9, 'Leña'), (10, 'Astillas'), (18, 'OTROS');

-- Factor that turns a quantity in the unit into cubic metres.
INSERT INTO unidadproducto (unme_codigo, prod_codigo, unpr_conversion) VALUES
(11, 1, 1), (11, 2, 1), (11, 3, 1), (11, 4, 1), (11, 5, 1), (11, 6, 1), (11, 7, 1), (11, 8, 1), (11, 9, 1), (11, 10, 1), (11, 18, 1),
(8, 1, 0.00236), (8, 2, 0.00236), (8, 4, 0.00236), (8, 7, 0.00236),
(5, 3, 0.0016), (5, 5, 0.05), (5, 6, 0.03), (5, 7, 0.12), (5, 8, 0.25), (5, 18, 0.01),
(9, 1, 1.5), (9, 9, 1.5), (9, 10, 1.2),
(7, 9, 1.1), (7, 10, 2.5);

INSERT INTO tesoreria (teso_codigo, teso_nombre) VALUES
(1, 'Tesorería Regional de Arica'), (2, 'Tesorería Regional de Iquique'), (3, 'Tesorería Regional de Antofagasta'),
(4, 'Tesorería Regional de Copiapó'), (5, 'Tesorería Regional de La Serena'), (6, 'Tesorería Regional de Valparaíso'),
(7, 'Tesorería Regional Metropolitana'), (8, 'Tesorería Regional de Rancagua'), (9, 'Tesorería Regional de Talca'),
(10, 'Tesorería Regional de Chillán'), (11, 'Tesorería Regional de Concepción'), (12, 'Tesorería Regional de Temuco'),
(13, 'Tesorería Regional de Valdivia'), (14, 'Tesorería Regional de Puerto Montt'), (15, 'Tesorería Regional de Coyhaique'),
(16, 'Tesorería Regional de Punta Arenas'), (17, 'Tesorería Provincial de Los Ángeles'), (18, 'Tesorería Provincial de Osorno'),
(19, 'Tesorería Provincial de Castro'), (20, 'Tesorería Provincial de Curicó'), (21, 'Tesorería Provincial de Linares'),
(22, 'Tesorería Provincial de Angol'), (23, 'Tesorería Provincial de San Fernando'), (24, 'Tesorería Provincial de Cauquenes');

-- Activity classes; the code is the activity type of the exchange file.
INSERT INTO tipoactividad (tiac_codigo, tiac_descripcion, tiac_act_losmi, tiac_act_podral) VALUES
(30, 'Forestación', 1, 0),
(40, 'Corta intermedia', 0, 0),
(50, 'Poda', 0, 1),
(60, 'Raleo', 0, 1),
(70, 'Corta final o cosecha', 0, 0),
(80, 'Corta de regeneración', 0, 0),
(90, 'Reforestación', 0, 0),
(100, 'Establecimiento de cortinas cortavientos', 1, 0),
(110, 'Recuperación de suelos degradados', 1, 0),
(120, 'Estabilización de dunas', 1, 0),
(130, 'Establecimiento de la regeneración', 0, 0),
(140, 'Construcción de cercos', 1, 0),
(170, 'Corta de bosque quemado', 0, 0),
(200, 'Corta de bosque nativo para recuperar terrenos agrícolas', 0, 0),
(201, 'Destronque', 0, 0),
(202, 'Roce', 0, 0),
(203, 'Ordenamiento de desechos', 0, 0),
(204, 'Quema controlada de desechos', 0, 0),
(205, 'Habilitación de terrenos agrícolas', 0, 0),
(501, 'Raleo sanitario', 0, 1),
(502, 'Raleo desecho', 0, 1),
(503, 'Prospección de Sirex noctilio', 0, 0);

-- Activities of native-forest plans: class (tiac_codigo), ordinal (tiac_num) and the
-- method or cut type written into the activity's parameter row. Codes 29 and 34 carry no method.
INSERT INTO tipoactividad_bn (tabn_codigo, tabn_descripcion, tiac_codigo, tiac_num, meto_codigo) VALUES
(1, 'Primer raleo', 40, 1, 10),
(2, 'Segundo raleo', 40, 2, 10),
(3, 'Tercer raleo', 40, 3, 10),
(4, 'Corta de liberación', 40, 1, 11),
(5, 'Corta sanitaria', 40, 1, 12),
(6, 'Corta de mejoramiento', 40, 1, 13),
(10, 'Primera poda', 50, 1, NULL),
(11, 'Segunda poda', 50, 2, NULL),
(12, 'Tercera poda', 50, 3, NULL),
(20, 'Corta de regeneración por tala rasa', 80, 1, 71),
(21, 'Corta de protección, corta preparatoria', 80, 1, 72),
(22, 'Corta de protección, corta de regeneración', 80, 2, 72),
(23, 'Corta de selección', 80, 1, 73),
(24, 'Corta de árboles semilleros', 80, 1, 74),
(29, 'Corta secundaria', 80, 3, NULL),
(34, 'Corta final de protección', 80, 4, NULL),
(40, 'Reforestación por plantación', 90, 1, 41),
(41, 'Reforestación por siembra directa', 90, 1, 42),
(42, 'Plantación suplementaria', 90, 1, 44),
(50, 'Establecimiento de la regeneración natural', 130, 1, 43),
(51, 'Escarificación del suelo', 130, 1, NULL);

-- Activities of plantation plans: class (tiac_codigo) and ordinal (tiac_num).
INSERT INTO tipoactividad_pl (tapl_codigo, tapl_descripcion, tiac_codigo, tiac_num) VALUES
(1, 'Forestación', 30, 1),
(2, 'Primera poda', 50, 1),
(3, 'Segunda poda', 50, 2),
(4, 'Tercera poda', 50, 3),
(5, 'Primer raleo', 60, 1),
(6, 'Segundo raleo', 60, 2),
(7, 'Tercer raleo', 60, 3),
(8, 'Corta final (tala rasa)', 70, 1),
(9, 'Reforestación', 90, 1),
(10, 'Construcción de cercos', 140, 1);

INSERT INTO tipobon (tibo_codigo, tibo_descripcion) VALUES
(1, 'Forestación en suelos de aptitud preferentemente forestal'),
(2, 'Forestación en suelos frágiles o degradados'),
(3, 'Forestación de pequeños propietarios forestales'),
(4, 'Recuperación de suelos degradados'),
(5, 'Estabilización de dunas'),
(6, 'Establecimiento de cortinas cortavientos'),
(7, 'Primera poda'),
(8, 'Primer raleo');

INSERT INTO tipopredio (tpre_codigo, tpre_descripcion) VALUES
(1, 'Predio agrícola'), (2, 'Predio forestal'), (3, 'Aserradero'), (4, 'Barraca'),
(5, 'Centro de acopio'), (6, 'Puerto de embarque'), (7, 'Establecimiento comercial');

-- 1: conditions under which a forest is declared a protection forest.
INSERT INTO excepciones (exce_codigo, exce_descripcion) VALUES
(1, 'Suelos frágiles'),
(1, 'Pendientes iguales o superiores a 45 %'),
(1, 'Protección de manantiales, cursos y cuerpos de agua'),
(1, 'Protección contra la erosión y el avance de dunas'),
(1, 'Conservación de la diversidad biológica');
