# Sources of src/interface: how a command talks to the user (the Frontend, the values of its
# dialogs, progress). Headers only; it depends on nothing.
set(CORE_DEPENDS)
