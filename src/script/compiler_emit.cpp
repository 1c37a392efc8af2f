// Code emission: slots, labels, the constant pool and instructions.

#include "script/compiler.h"

#include <algorithm>

namespace ondrix::script {

int THalCompiler::allocSlot() {
  if (slot_ >= kSlotCount) fail("Too many variables");
  const int slot = slot_++;
  highWater_ = std::max(highWater_, slot_);
  return slot;
}

// Variables, parameters and results go above everything handed out so far, including the
// temporaries of bodies compiled before them.
int THalCompiler::declareSlot() {
  slot_ = highWater_;
  return allocSlot();
}

std::int32_t THalCompiler::newLabel(bool referenced) {
  labels_.push_back({referenced, false, 0});
  return static_cast<std::int32_t>(labels_.size() - 1);
}

void THalCompiler::placeLabel(std::int32_t label) {
  LabelItem& item = labels_[static_cast<std::size_t>(label)];
  item.placed = true;
  item.target = here();
}

void THalCompiler::emit(Opcode op, std::int32_t a, std::int32_t b) {
  image_.code.push_back({a, b, static_cast<std::int32_t>(op)});
}

// Every literal occurrence gets its own pool entry, loaded into a fresh temporary.
int THalCompiler::loadConstant(ScriptValue value) {
  image_.constants.push_back(std::move(value));
  const int slot = newTemp();
  emit(Opcode::LoadConst, slot, static_cast<std::int32_t>(image_.constants.size() - 1));
  return slot;
}

void THalCompiler::emitObjectContext(const ObjectContext& context) {
  if (context.kind == ObjectContext::Kind::Handle) emit(Opcode::SetObject, context.value);
  if (context.kind == ObjectContext::Kind::Slot) emit(Opcode::SetObjectFromSlot, context.value);
}

}  // namespace ondrix::script
