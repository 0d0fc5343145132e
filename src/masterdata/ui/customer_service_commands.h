#pragma once

namespace lorvan {

class Desktop;

// "&Kunden verwalten..." and "Dienst&leistungen verwalten..." of the file menu: each opens (or
// activates) its work area's window.
void registerCustomerServiceCommands(Desktop& desktop);

} // namespace lorvan
