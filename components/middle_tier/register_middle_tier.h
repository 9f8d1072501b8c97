#pragma once
// Registers the middle-tier query server: "QzMICMOTrackQuery.CGetICMOQuery",
// "QzMICMOTrackQuery.CSetICMOQuery" and "QzMICMOTrackQuery.CGetOrderQuery". The servers need
// nothing but the session property string each call receives (its {connection} part names the
// ERP database).

namespace client {

void RegisterMiddleTier();

}  // namespace client
