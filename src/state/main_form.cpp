#include "main_form.h"

#include "program_counter.h"
#include "w_register.h"

namespace mirel::state {

namespace {
template <typename T, std::size_t N, typename... Args>
std::array<T, N> filledArray(const Args&... args) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<T, N>{((void)I, T(args...))...};
    }
    (std::make_index_sequence<N>{});
}
} // namespace

class MainForm::Events final : public TextListObserver, public ChangeObserver {
public:
    explicit Events(MainForm& form) : form_(form) {
        form_.Code.addObserver(this);
        form_.W.addObserver(this);
    }
    ~Events() override {
        form_.Code.removeObserver(this);
        form_.W.removeObserver(this);
    }
    void selectionChanged(int) override { Code_Click(form_); }
    void changed() override { W_Change(form_); }

private:
    MainForm& form_;
};

MainForm::MainForm()
    : RW(filledArray<TextModel, 8>(std::string("0"))),
      InA(filledArray<CheckBoxModel, 8>(std::string("InA"))),
      InB(filledArray<CheckBoxModel, 8>(std::string("InB"))),
      events_(std::make_unique<Events>(*this)) {}

MainForm::~MainForm() = default;

} // namespace mirel::state
