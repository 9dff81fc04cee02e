#include "app/form1.h"

namespace brindo {

void Form1::List1_Click() {}

void Form1::List2_Click() {}

void Form1::List3_Click() {}

} // namespace brindo
