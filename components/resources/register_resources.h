#pragma once
// Registers the language resource components by ProgID: the resource loader
// ("QzResLoader.Loader"), the text formatter ("KFO.TextFormatter"), the form-font loader
// ("FrmRes.FrmResLoader") and the client's message object ("MessageHelper.Global"). The resource
// files are found as res_loader.h describes.

namespace client {

void RegisterResourceComponents();

}  // namespace client
