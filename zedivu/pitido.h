#pragma once
// The warning beep of an action a form refuses without a message (deleting the last row
// that must stay). Tests replace the sound to count the beeps.
#include <functional>

namespace Pitido {

// The sound played; by default the desktop's beep.
std::function<void()> &Sonido();
void Sonar();

} // namespace Pitido
