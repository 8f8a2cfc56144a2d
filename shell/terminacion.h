#pragma once
// The program-wide request to end the run, raised by a fatal start-up failure (missing
// main database, missing register plug-in). Before the event loop runs, main() checks it;
// once the loop runs, the request also ends the loop.
void SolicitarTerminacion();
bool TerminacionSolicitada();
// Tests start each case afresh.
void ReiniciarTerminacion();
