#include "cli/json_document.h"

namespace rpanel {

Json JsonDocument() {
    return Json{{json_key::kSchema, kJsonSchema}};
}

void WriteJson(std::ostream& out, const Json& document) {
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace rpanel
