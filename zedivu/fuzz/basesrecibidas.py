#!/usr/bin/env python3
"""Writes the working databases a hostile document may bring, one file per case, from the
template of the test form PRUEBA (built as <build>/tests/forms/PRUEBA.db):

    python3 zedivu/fuzz/basesrecibidas.py build/tests/forms/PRUEBA.db \
        zedivu/fuzz/corpus/fuzz_baserecibida

They are the seeds of fuzz_baserecibida and the documents the shell's Import test opens.
A name starting with "sana" must open with its data; every other one must be refused."""
import os
import shutil
import sqlite3
import sys
import tempfile

# The data of a sound document: the main row, two detail rows, the template's person.
DATOS = """
UPDATE prueba SET nombre = 'Sana', obs = 'Observación', tipo = 2;
INSERT INTO prueba_det (num, tipo, sup) VALUES ('1', 1, 2.5), ('2', 2, 3);
"""

CASOS = {
    # Sound, whatever the file says about itself: its schema objects and settings stay out.
    "sana": "",
    "sana_disparador_vacia_al_guardar": """
        CREATE TRIGGER vaciar AFTER UPDATE ON prueba BEGIN
          DELETE FROM prueba_det; DELETE FROM persona_rep; END;""",
    "sana_disparador_sin_fin": """
        CREATE TRIGGER sin_fin AFTER UPDATE ON prueba BEGIN
          SELECT count(*) FROM (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x FROM c); END;""",
    "sana_disparador_memoria": """
        CREATE TRIGGER memoria AFTER UPDATE ON prueba BEGIN
          UPDATE prueba SET obs = hex(zeroblob(20000000)); END;""",
    "sana_vista_e_indice": """
        CREATE VIEW infinita AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x FROM c ORDER BY x DESC;
        CREATE INDEX det_num ON prueba_det (num COLLATE NOCASE);
        PRAGMA user_version = 77; PRAGMA application_id = 1234;""",
    "sana_registro_previo": "PRAGMA journal_mode = WAL;",
    "sana_relleno": """
        CREATE TABLE relleno (x); INSERT INTO relleno VALUES (zeroblob(250000)); DROP TABLE relleno;""",
    "sana_utf16": None,  # built apart: the encoding is chosen before any table
    # Damaged: a table that is not one, a value that is not of its column, too much.
    "vista_recursiva": """
        DROP TABLE prueba_det;
        CREATE VIEW prueba_det AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c)
          SELECT x AS id, x AS num, x AS tipo, x AS sup FROM c ORDER BY x DESC;""",
    "principal_vista": """
        ALTER TABLE prueba RENAME TO prueba_t; CREATE VIEW prueba AS SELECT * FROM prueba_t;""",
    "codigo_como_texto": """
        ALTER TABLE prueba RENAME TO viejo;
        CREATE TABLE prueba (id INTEGER PRIMARY KEY AUTOINCREMENT, nombre VARCHAR(40), obs TEXT, tipo INTEGER, cod_pre TEXT);
        INSERT INTO prueba SELECT id, nombre, obs, tipo, '5' FROM viejo; DROP TABLE viejo;""",
    "real_en_entero": "UPDATE prueba_det SET tipo = 1.5 WHERE num = '2';",
    "texto_en_real": "UPDATE prueba_det SET sup = 'mucho' WHERE num = '2';",
    "binario_en_memo": "UPDATE prueba SET obs = x'00ff00ff';",
    "texto_largo": "UPDATE prueba SET nombre = printf('%.41c', 'x');",
    "memo_enorme": "UPDATE prueba SET obs = printf('%.65537c', 'x');",
    "dos_filas_principal": "INSERT INTO prueba (nombre, obs, tipo) VALUES ('Otra', '', 1);",
    "columna_calculada": """
        ALTER TABLE prueba_det RENAME TO viejo;
        CREATE TABLE prueba_det (id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(10),
          tipo INTEGER GENERATED ALWAYS AS (length(hex(zeroblob(100000000)))) VIRTUAL, sup DOUBLE);
        INSERT INTO prueba_det (id, num, sup) SELECT id, num, sup FROM viejo; DROP TABLE viejo;""",
    "sin_rowid": """
        ALTER TABLE prueba_det RENAME TO viejo;
        CREATE TABLE prueba_det (id INTEGER PRIMARY KEY, num VARCHAR(10), tipo INTEGER, sup DOUBLE) WITHOUT ROWID;
        INSERT INTO prueba_det SELECT * FROM viejo; DROP TABLE viejo;""",
}


def compactar(con):
    # Small pages keep the seeds small.
    con.execute("PRAGMA page_size = 1024")
    con.execute("VACUUM")


def utf16(plantilla, destino):
    origen = sqlite3.connect(plantilla)
    tablas = origen.execute("SELECT name, sql FROM sqlite_master WHERE type = 'table' "
                            "AND name NOT LIKE 'sqlite%'").fetchall()
    con = sqlite3.connect(destino, isolation_level=None)
    con.execute("PRAGMA encoding = 'UTF-16le'")
    for nombre, sql in tablas:
        con.execute(sql)
        for fila in origen.execute(f'SELECT * FROM "{nombre}"'):
            con.execute(f'INSERT INTO "{nombre}" VALUES ({", ".join("?" * len(fila))})', fila)
    origen.close()
    con.executescript(DATOS)
    compactar(con)
    con.close()


def main():
    plantilla, carpeta = sys.argv[1], sys.argv[2]
    os.makedirs(carpeta, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for nombre, sql in CASOS.items():
            destino = os.path.join(tmp, nombre)
            if sql is None:
                utf16(plantilla, destino)
            else:
                shutil.copyfile(plantilla, destino)
                con = sqlite3.connect(destino, isolation_level=None)
                compactar(con)
                con.executescript(DATOS + sql)
                con.close()
            shutil.copyfile(destino, os.path.join(carpeta, nombre))


if __name__ == "__main__":
    main()
