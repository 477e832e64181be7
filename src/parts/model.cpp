#include "model.h"

#include <array>
#include <cctype>

namespace mirel::parts {

namespace {
constexpr std::array models = {Model::Teaching, Model::F84A, Model::F628A, Model::F877A};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
} // namespace

std::span<const Model> allModels() {
    return models;
}

std::string_view modelName(Model model) {
    switch (model) {
    case Model::Teaching:
        return "Teaching Model";
    case Model::F84A:
        return "16F84A";
    case Model::F628A:
        return "16F628A";
    case Model::F877A:
        return "16F877A";
    }
    return "Teaching Model";
}

std::optional<Model> modelNamed(std::string_view name) {
    for (Model model : models)
        if (model == Model::Teaching ? name == modelName(model)
                                     : sameIgnoringCase(name, modelName(model)))
            return model;
    return std::nullopt;
}

} // namespace mirel::parts
