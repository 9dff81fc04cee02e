#include "app/form1.h"

namespace brindo {

void Form1::nieuw_Click() {}

void Form1::open_Click() {}

void Form1::save_Click() {}

void Form1::saveas_Click() {}

} // namespace brindo
