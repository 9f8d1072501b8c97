#include <components/order_map/map_dot.h>

#include <components/order_map/map_outline.h>
#include <components/resources/session_captions.h>
#include <components/viewer/output_file.h>

#include <graphviz/cgraph.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace client {

namespace {

// cgraph takes its names and values as char*, though it only reads them.
char* Text(const std::string& text) { return const_cast<char*>(text.c_str()); }
char* Text(const char* text) { return const_cast<char*>(text); }

void Set(void* object, const char* name, const std::string& value) {
    agsafeset(object, Text(name), Text(value), Text(""));
}

// Object ids in the order the objects were made. Graphviz's own ids of named objects are the
// addresses of their names, and it writes subgraphs in id order: the same map would come out in
// another order each time. Named objects get even ids, anonymous ones (the edges) odd ones, as
// Graphviz's own discipline gives them.
struct NameTable {
    Agraph_t* graph = nullptr;
    // Kept as the graph's own strings: the writer reads a mark in front of each name.
    std::vector<char*> names;
    IDTYPE anonymous = 1;
};

void* OpenNames(Agraph_t* graph, Agdisc_t*) { return new NameTable{graph, {}, 1}; }

long MapName(void* state, int, char* name, IDTYPE* id, int create) {
    auto& table = *static_cast<NameTable*>(state);
    if (!name) {
        *id = table.anonymous;
        table.anonymous += 2;
        return 1;
    }
    for (size_t i = 0; i < table.names.size(); ++i) {
        if (std::strcmp(table.names[i], name) != 0) continue;
        *id = 2 * (i + 1);
        return 1;
    }
    if (!create) return 0;
    table.names.push_back(agstrdup(table.graph, name));
    *id = 2 * table.names.size();
    return 1;
}

long AllocateId(void*, int, IDTYPE) { return 0; }
void FreeId(void*, int, IDTYPE) {}

char* PrintName(void* state, int, IDTYPE id) {
    auto& table = *static_cast<NameTable*>(state);
    if (id % 2 != 0 || id == 0 || id / 2 > table.names.size()) return nullptr;
    return table.names[id / 2 - 1];
}

void CloseNames(void* state) { delete static_cast<NameTable*>(state); }
void RegisterId(void*, int, void*) {}

Agiddisc_t kOrderedIds = {OpenNames, MapName,    AllocateId, FreeId,
                          PrintName, CloseNames, RegisterId};
Agdisc_t kOrderedDisc = {&AgMemDisc, &kOrderedIds, &AgIoDisc};

struct GraphCloser {
    void operator()(Agraph_t* graph) const { agclose(graph); }
};

std::string Written(Agraph_t* graph) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (!stream) throw std::bad_alloc();
    agwrite(graph, stream);
    std::fclose(stream);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

}  // namespace

std::string MapDot(const OrderMap& map) {
    SessionCaptions text;
    std::unique_ptr<Agraph_t, GraphCloser> graph(
        agopen(Text("order_map"), Agdirected, &kOrderedDisc));
    Set(graph.get(), "label", text("单据关系图") + ": " + map.title);
    Set(graph.get(), "rankdir", "LR");
    const SummaryWords words = SessionSummaryWords();
    std::vector<Agnode_t*> nodes(map.boxes.size(), nullptr);
    int32_t laneNumber = 0;
    for (const MapLane lane : AllLanes()) {
        const auto boxes = map.LaneBoxes(lane);
        const std::string name = "cluster_" + std::to_string(++laneNumber);
        Agraph_t* cluster = agsubg(graph.get(), Text(name), 1);
        std::string caption = text(LaneCaptionKey(lane));
        if (const LaneShare* share = map.ShareOf(lane)) caption += "\n" + ShareText(*share);
        Set(cluster, "label", caption);
        for (const int32_t index : boxes) {
            const MapBox& box = map.boxes[index];
            const std::string id = "b" + std::to_string(index + 1);
            Agnode_t* node = agnode(cluster, Text(id), 1);
            Set(node, "shape", "box");
            Set(node, "label", "#" + std::to_string(index + 1) + " " + BoxSummary(box, words));
            if (box.cancelled) Set(node, "style", "dashed");
            if (box.isRed) Set(node, "color", "red");
            nodes[index] = node;
        }
    }
    for (const auto& arrow : map.arrows) {
        agedge(graph.get(), nodes[arrow.from], nodes[arrow.to], nullptr, 1);
    }
    return Written(graph.get());
}

std::filesystem::path WriteMapDot(const OrderMap& map, const std::filesystem::path& path) {
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    return WriteNewFile(folder, path.stem().string(), path.extension().string(), MapDot(map));
}

}  // namespace client
