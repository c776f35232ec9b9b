#include "datafile/DocumentSchema.h"

#include <type_traits>

#include "channels/ToneCodec.h"
#include "datafile/DocumentText.h"
#include "datafile/DocumentTextParts.h"
#include "datafile/FieldText.h"
#include "model/FieldList.h"
#include "radio/Document.h"

namespace {

TextNode entry(std::string key, TextNode::Kind kind, std::string value)
{
    TextNode node;
    node.key = std::move(key);
    node.kind = kind;
    node.value = std::move(value);
    return node;
}

TextNode text(std::string key, std::string value)
{
    return entry(std::move(key), TextNode::Kind::Text, std::move(value));
}

// A raw JSON token: a number, true or false.
TextNode token(std::string key, std::string value)
{
    return entry(std::move(key), TextNode::Kind::Number, std::move(value));
}

TextNode object(std::string key = {})
{
    TextNode node;
    node.key = std::move(key);
    return node;
}

TextNode list(std::string key, const std::vector<std::string> &values)
{
    TextNode node;
    node.key = std::move(key);
    node.kind = TextNode::Kind::List;
    for (const std::string &value : values)
        node.children.push_back(text({}, value));
    return node;
}

TextNode typed(std::string_view type)
{
    TextNode node = object();
    node.children.push_back(text("type", std::string(type)));
    return node;
}

TextNode pattern(std::string_view regex)
{
    TextNode node = typed("string");
    node.children.push_back(text("pattern", std::string(regex)));
    return node;
}

// {stored: ...}: a value the readable form cannot hold, as the radio or the file held it.
TextNode storedForm()
{
    TextNode stored = object();
    stored.children.push_back(text("type", "object"));
    TextNode properties = object("properties");
    TextNode value = object("stored");
    value.children.push_back(list("type", {"integer", "string"}));
    properties.children.push_back(std::move(value));
    stored.children.push_back(std::move(properties));
    stored.children.push_back(list("required", {"stored"}));
    stored.children.push_back(token("additionalProperties", "false"));
    return stored;
}

TextNode anyOf(std::vector<TextNode> forms)
{
    TextNode node = object();
    TextNode choices;
    choices.key = "anyOf";
    choices.kind = TextNode::Kind::List;
    forms.push_back(storedForm());
    for (TextNode &form : forms) {
        form.key.clear();
        choices.children.push_back(std::move(form));
    }
    node.children.push_back(std::move(choices));
    return node;
}

TextNode enumOf(const std::vector<std::string> &values)
{
    TextNode node = object();
    node.children.push_back(list("enum", values));
    return node;
}

TextNode integerForm(const FieldDescription &description)
{
    if (description.decimals > 0)
        return pattern("^-?[0-9]+(\\.[0-9]{1," + std::to_string(description.decimals) + "})?$");
    TextNode node = typed("integer");
    if (description.ranged) {
        node.children.push_back(token(
            "minimum",
            std::to_string((description.minimum + description.offset) * description.multiplier)));
        node.children.push_back(token(
            "maximum",
            std::to_string((description.maximum + description.offset) * description.multiplier)));
    }
    return node;
}

TextNode scalarSchema(const FieldDescription &description)
{
    std::vector<TextNode> forms;
    switch (description.form) {
    case FieldForm::Flag: {
        forms.push_back(enumOf({"on", "off"}));
        forms.push_back(typed("boolean"));
        break;
    }
    case FieldForm::List:
        forms.push_back(enumOf(fieldItems(description)));
        break;
    case FieldForm::Ctcss:
    case FieldForm::Dcs: {
        std::vector<std::string> tones;
        const bool ctcss = description.form == FieldForm::Ctcss;
        const int toneCount = ctcss ? kCtcssToneCount : kDcsCodeCount;
        tones.reserve(static_cast<std::size_t>(toneCount));
        for (int k = 0; k < toneCount; ++k)
            tones.push_back(ctcss ? ctcssShowText(k) : dcsShowText(k));
        forms.push_back(enumOf(tones));
        break;
    }
    case FieldForm::Frequency:
        forms.push_back(pattern("^([0-9]{2}\\.[0-9]{1,6})?$"));
        break;
    case FieldForm::BroadcastFrequency:
        forms.push_back(pattern("^[0-9]{1,3}(\\.[0-9]{1,5})?$"));
        break;
    case FieldForm::Text:
        forms.push_back(typed("string"));
        break;
    case FieldForm::Bytes:
        forms.push_back(pattern("^([0-9A-Fa-f]{2}( [0-9A-Fa-f]{2})*)?$"));
        break;
    case FieldForm::Number:
        forms.push_back(integerForm(description));
        break;
    }
    if (description.hasNone)
        forms.push_back(enumOf({"none"}));
    TextNode node = anyOf(std::move(forms));
    std::string helpText = fieldHelpText(description);
    helpText +=
        (helpText.empty() ? "" : " ") + std::string("Expected: ") + expectedText(description) + ".";
    node.children.insert(node.children.begin(), text("description", helpText));
    if (description.hasNewValue) {
        const ScalarText shown = integerText(description, description.newValue);
        node.children.push_back(shown.kind == ScalarKind::Number ? token("default", shown.text)
                                                                 : text("default", shown.text));
    }
    return node;
}

TextNode closedObject(TextNode properties, std::string_view description = {})
{
    TextNode node = typed("object");
    if (!description.empty())
        node.children.insert(node.children.begin(), text("description", std::string(description)));
    properties.key = "properties";
    node.children.push_back(std::move(properties));
    node.children.push_back(token("additionalProperties", "false"));
    return node;
}

template<typename T>
TextNode fieldSchema(const FieldDescription &description);

template<typename Record>
TextNode recordSchema(std::string_view skipped = {})
{
    TextNode properties = object();
    Record scratch{};
    fields(scratch, [&](const FieldDescription &description, auto &field) {
        if (description.derived || description.name == skipped)
            return;
        TextNode property = fieldSchema<std::remove_cvref_t<decltype(field)>>(description);
        property.key = std::string(description.name);
        properties.children.push_back(std::move(property));
    });
    return closedObject(std::move(properties));
}

template<typename T>
TextNode fieldSchema(const FieldDescription &description)
{
    if constexpr (std::is_arithmetic_v<T> || IsFixedText<T>::value) {
        return scalarSchema(description);
    } else if constexpr (IsStdArray<T>::value) {
        if constexpr (std::is_same_v<typename T::value_type, std::uint8_t>) {
            if (description.form == FieldForm::Bytes)
                return scalarSchema(description);
        }
        FieldDescription element = description;
        element.element = {};
        element.elementNames = {};
        TextNode properties = object();
        for (std::size_t k = 0; k < std::tuple_size_v<T>; ++k) {
            TextNode property = fieldSchema<typename T::value_type>(element);
            property.key = elementKey(description, k);
            properties.children.push_back(std::move(property));
        }
        return closedObject(std::move(properties), fieldHelpText(description));
    } else if constexpr (IsKindGroupArray<T>::value) {
        TextNode properties = object();
        for (std::string_view kind : kKindKeys) {
            TextNode values = typed("array");
            values.key = std::string(kind);
            values.children.push_back(token("maxItems", "17"));
            TextNode items = fieldSchema<typename decltype(T::values)::value_type>(description);
            items.key = "items";
            values.children.push_back(std::move(items));
            properties.children.push_back(std::move(values));
        }
        return closedObject(std::move(properties), fieldHelpText(description));
    } else {
        return recordSchema<T>();
    }
}

// A map whose keys follow a pattern ("group 3", "channel 12").
TextNode patterned(std::string_view regex, TextNode value, std::string_view description)
{
    TextNode node = typed("object");
    node.children.insert(node.children.begin(), text("description", std::string(description)));
    TextNode patterns = object("patternProperties");
    value.key = std::string(regex);
    patterns.children.push_back(std::move(value));
    node.children.push_back(std::move(patterns));
    node.children.push_back(token("additionalProperties", "false"));
    return node;
}

TextNode reference(std::string_view name)
{
    TextNode node = object();
    node.children.push_back(text("$ref", "#/definitions/" + std::string(name)));
    return node;
}

TextNode channelsSchema()
{
    TextNode kinds = object();
    for (std::string_view kind : kKindKeys) {
        TextNode groups = patterned("^group ([1-9]|1[0-7])$",
                                    patterned("^channel ([1-9]|[1-9][0-9])$",
                                              reference("groupChannel"), "The group's channels."),
                                    "The groups of the kind.");
        groups.key = std::string(kind);
        kinds.children.push_back(std::move(groups));
    }
    return closedObject(std::move(kinds), "The channels of every group, by kind.");
}

TextNode unusedCountsSchema()
{
    TextNode kinds = object();
    for (const auto &[kind, pattern] :
         {std::pair{"CB", "^group ([89]|1[0-7])$"}, std::pair{"HAM", "^group 1[5-7]$"}}) {
        TextNode count = typed("integer");
        count.children.push_back(token("minimum", "0"));
        count.children.push_back(token("maximum", "99"));
        TextNode groups = patterned(pattern, std::move(count), "Counts of groups the kind lacks.");
        groups.key = kind;
        kinds.children.push_back(std::move(groups));
    }
    return closedObject(std::move(kinds), "Channel counts of the groups a kind does not have.");
}

} // namespace

std::string documentSchema()
{
    TextNode root = object();
    root.children.push_back(text("$schema", "http://json-schema.org/draft-07/schema#"));
    root.children.push_back(text("$id", std::string(kDocumentSchemaFileName)));
    root.children.push_back(text("title", "ORX-740 configuration"));
    root.children.push_back(text("type", "object"));

    TextNode definitions = object("definitions");
    TextNode groupChannel = recordSchema<ChannelRecord>("number");
    groupChannel.key = "groupChannel";
    definitions.children.push_back(std::move(groupChannel));
    TextNode memoryChannel = recordSchema<ChannelRecord>();
    memoryChannel.key = "memoryChannel";
    definitions.children.push_back(std::move(memoryChannel));
    root.children.push_back(std::move(definitions));

    TextNode settings = recordSchema<SettingsRecord>();
    TextNode *properties = nullptr;
    for (TextNode &child : settings.children)
        if (child.key == "properties")
            properties = &child;
    TextNode format = object("format");
    format.children.push_back(text("const", std::string(kDocumentTextFormat)));
    TextNode channels = channelsSchema();
    channels.key = "channels";
    TextNode memories = patterned("^memory ([1-9]|[1-8][0-9]|9[0-6])$", reference("memoryChannel"),
                                  "The memory channels 1-96.");
    memories.key = "memoryChannels";
    TextNode counts = unusedCountsSchema();
    counts.key = "channelCounts";
    properties->children.insert(properties->children.begin(),
                                {std::move(format), std::move(channels), std::move(memories)});
    properties->children.push_back(std::move(counts));
    root.children.push_back(std::move(*properties));
    root.children.push_back(list("required", {"format"}));
    root.children.push_back(token("additionalProperties", "false"));
    return treeToJson(root);
}
