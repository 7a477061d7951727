// Filled in by the command modules.
