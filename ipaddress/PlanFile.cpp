#include "ipaddress/PlanFile.h"

#include "core/Json.h"
#include "output/JsonText.h"

#include <initializer_list>

namespace {

const char* const FormatName = "zentrix-plan";

[[noreturn]] void fail(json::Position where, const std::string& expected)
{
    throw json::ParseError(where, expected);
}

const json::Value& ofType(const json::Value& value, json::Type type, const std::string& what)
{
    if (value.type != type)
        fail(value.position, std::string(json::typeName(type)) + " for " + what + ", not " +
                                 json::typeName(value.type));
    return value;
}

// Refuses members other than `known`, naming the first stranger.
void onlyMembers(const json::Value& object, std::initializer_list<const char*> known,
                 const char* what)
{
    for (const json::Member& member : object.members) {
        bool listed = false;
        std::string names;
        for (const char* name : known) {
            listed = listed || member.key == name;
            names += names.empty() ? "" : ", ";
            names += name;
        }
        if (!listed)
            fail(member.position,
                 std::string("only ") + names + " in " + what + ", not \"" + member.key + "\"");
    }
}

const json::Value& required(const json::Value& object, const char* key, const char* what)
{
    const json::Value* value = object.find(key);
    if (value == nullptr)
        fail(object.position, std::string("a \"") + key + "\" member in " + what);
    return *value;
}

void readOptions(const json::Value& object, PlanOptions& options)
{
    ofType(object, json::Type::Object, "\"options\"");
    onlyMembers(object, {"mode", "grow", "nibble", "p2p30", "p2p127", "order"}, "the options");
    if (const json::Value* mode = object.find("mode")) {
        ofType(*mode, json::Type::String, "\"mode\"");
        if (!readModeName(mode->text, options.mode))
            fail(mode->position,
                 "a mode of standard, aws, azure, gcp or oci, not \"" + mode->text + "\"");
    }
    if (const json::Value* grow = object.find("grow")) {
        ofType(*grow, json::Type::Integer, "\"grow\"");
        if (grow->integer < 0 || grow->integer > int64_t(MaxGrowPercent))
            fail(grow->position,
                 "a growth margin from 0 to " + std::to_string(MaxGrowPercent) + " percent");
        options.growPercent = unsigned(grow->integer);
    }
    if (const json::Value* nibble = object.find("nibble"))
        options.nibble = ofType(*nibble, json::Type::Boolean, "\"nibble\"").boolean;
    if (const json::Value* p2p30 = object.find("p2p30"))
        options.p2p30 = ofType(*p2p30, json::Type::Boolean, "\"p2p30\"").boolean;
    if (const json::Value* p2p127 = object.find("p2p127"))
        options.p2p127 = ofType(*p2p127, json::Type::Boolean, "\"p2p127\"").boolean;
    if (const json::Value* order = object.find("order")) {
        ofType(*order, json::Type::String, "\"order\"");
        if (!readOrderName(order->text, options.order))
            fail(order->position, "an order of size or given, not \"" + order->text + "\"");
    }
}

} // namespace

PlanFile readPlanFile(std::string_view text)
{
    const json::Value document = json::parse(text);
    ofType(document, json::Type::Object, "a plan file");

    // The format and the version first: a newer file is named as such,
    // not as one with strange members.
    const json::Value& format = required(document, "format", "a plan file");
    if (format.type != json::Type::String || format.text != FormatName)
        fail(format.position, std::string("\"") + FormatName + "\" as the format");
    const json::Value& version =
        ofType(required(document, "version", "a plan file"), json::Type::Integer, "\"version\"");
    if (version.integer != PlanFileVersion)
        fail(version.position,
             "version " + std::to_string(PlanFileVersion) +
                 (version.integer > PlanFileVersion ? ": this plan comes from a newer Zentrix"
                                                    : ""));
    onlyMembers(document, {"format", "version", "parents", "requests", "options"}, "a plan file");

    PlanFile plan;
    const json::Value& parents =
        ofType(required(document, "parents", "a plan file"), json::Type::Array, "\"parents\"");
    for (const json::Value& parent : parents.items)
        plan.parents.push_back(
            {ofType(parent, json::Type::String, "a parent network").text, parent.position.line});

    const json::Value& requests =
        ofType(required(document, "requests", "a plan file"), json::Type::Array, "\"requests\"");
    plan.requests.reserve(requests.items.size());
    for (const json::Value& request : requests.items) {
        ofType(request, json::Type::Object, "a request");
        onlyMembers(request, {"name", "size"}, "a request");
        const json::Value& name =
            ofType(required(request, "name", "a request"), json::Type::String, "\"name\"");
        const json::Value& size =
            ofType(required(request, "size", "a request"), json::Type::String, "\"size\"");
        plan.requests.push_back({name.text, size.text, request.position.line});
    }

    if (const json::Value* options = document.find("options"))
        readOptions(*options, plan.options);
    return plan;
}

std::string writePlanFile(const PlanFile& plan)
{
    Value parents = Value::list();
    for (const plantext::ParentText& parent : plan.parents)
        parents.items.push_back(Value::of(parent.text));
    Value requests = Value::list();
    requests.items.reserve(plan.requests.size());
    for (const plantext::RequestText& request : plan.requests)
        requests.items.push_back(Value::object(
            {{"name", "", Value::of(request.name)}, {"size", "", Value::of(request.size)}}));
    const PlanOptions& o = plan.options;
    const Value document = Value::object({
        {"format", "", Value::of(FormatName)},
        {"version", "", Value::integer(PlanFileVersion)},
        {"parents", "", std::move(parents)},
        {"requests", "", std::move(requests)},
        {"options", "",
         Value::object({{"mode", "", Value::of(modeName(o.mode))},
                        {"grow", "", Value::integer(o.growPercent)},
                        {"nibble", "", Value::boolean(o.nibble, "")},
                        {"p2p30", "", Value::boolean(o.p2p30, "")},
                        {"p2p127", "", Value::boolean(o.p2p127, "")},
                        {"order", "", Value::of(orderName(o.order))}})},
    });
    std::string text;
    jsontext::appendValue(text, document);
    return text + "\n";
}
