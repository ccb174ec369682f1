// Placeholder until this topic is built.
