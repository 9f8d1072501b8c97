#include <client/resources/register_resources.h>

#include <client/resources/frm_res_loader.h>
#include <client/resources/message_helper.h>
#include <client/resources/res_loader.h>
#include <client/resources/text_formatter.h>
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
