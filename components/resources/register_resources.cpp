#include <components/resources/register_resources.h>

#include <components/resources/frm_res_loader.h>
#include <components/resources/message_helper.h>
#include <components/resources/res_loader.h>
#include <components/resources/text_formatter.h>
#include <platform/automation/registry.h>

#include <memory>

namespace client {

void RegisterResourceComponents() {
    auto& registry = automation::ComponentRegistry::Instance();
    registry.Register(trackquery::kResLoaderProgId, [] { return std::make_shared<ResLoader>(); });
    registry.Register(trackquery::kTextFormatterProgId,
                      [] { return std::make_shared<TextFormatter>(); });
    registry.Register(trackquery::kFrmResLoaderProgId,
                      [] { return std::make_shared<FrmResLoader>(); });
    // One message object serves the whole client.
    auto messageHelper = std::make_shared<MessageHelper>();
    registry.Register(trackquery::kMessageHelperProgId, [messageHelper] { return messageHelper; });
}

}  // namespace client
