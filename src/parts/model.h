#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace mirel::parts {

// The rules a machine follows: the teaching model the program was made for,
// or one of the parts of the family, each as its data sheet gives it.
enum class Model { Teaching, F84A, F628A, F877A };

// Every model, the teaching model first: the order of the Device menu.
std::span<const Model> allModels();

// "Teaching Model", "16F84A", "16F628A", "16F877A".
std::string_view modelName(Model model);

// The model a name stands for, exactly as modelName writes it; the parts
// also without their family prefix's case ("16f84a"). Empty for any other text.
std::optional<Model> modelNamed(std::string_view name);

} // namespace mirel::parts
