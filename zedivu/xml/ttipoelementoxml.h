#pragma once
// How a child registered for a node gets its value in the further records of the node:
// a literal (teFijo), a field of the node's dataset (teCampo) or the writer's running
// number (teIndexacionExterna).
enum TTipoElementoXML { teFijo, teCampo, teIndexacionExterna };
