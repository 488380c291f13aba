#include "state/prompter.h"

Prompter::~Prompter() = default;
