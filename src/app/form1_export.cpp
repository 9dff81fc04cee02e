#include "app/form1.h"

namespace brindo {

void Form1::image_Click() {}

} // namespace brindo
