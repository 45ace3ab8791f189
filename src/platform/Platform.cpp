// Platform services are added here.
